#!/usr/bin/env bash
# Builds and runs every test through CTest, then runs the link program's tests
# once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen

(cd "$root/build" && ctest --output-on-failure -j2)

cmake -S "$root" -B "$root/build-asan" -DONLY_LINK=ON -DSANITIZE=ON \
      -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build-asan" -j"$(nproc)"
(cd "$root/build-asan" && ctest --output-on-failure -j2)
