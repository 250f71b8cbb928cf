#!/usr/bin/env bash
# Configures build/ and builds into it (after installing what is missing).
#   bash scripts/build.sh           everything, tests and benchmarks included
#   bash scripts/build.sh --run     only cuponex, eqlink and ecfsim, with only what they need
# Both configure build/ the same way, so each reuses what the other built.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ "${1:-}" = --run ]; then
    bash "$root/scripts/setup.sh" run
    targets=(--target cuponex eqlink ecfsim)
else
    bash "$root/scripts/setup.sh"
    targets=()
fi
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" "${targets[@]}"
