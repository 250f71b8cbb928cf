#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (default 60 s a target; not part of CI). Corpora are kept in build-fuzz/corpus
# between runs; a crash leaves its input in build-fuzz/findings.
#   bash scripts/fuzz.sh [seconds-per-target] [target ...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true

packages=(clang libclang-rt-dev cmake make)
missing=()
for p in "${packages[@]}"; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

out="$root/build-fuzz"
cmake -S "$root/fuzz" -B "$out" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$out" -j"$(nproc)" >/dev/null

targets=("$@")
((${#targets[@]})) || targets=(fuzz_reply_reader fuzz_cmdline fuzz_frame_reader fuzz_field_rules
                                fuzz_command_format fuzz_scenario fuzz_reply_pattern)
mkdir -p "$out/findings"
status=0
for t in "${targets[@]}"; do
    mkdir -p "$out/corpus/$t"
    echo "== $t: ${seconds}s"
    if ! "$out/$t" -max_total_time="$seconds" -close_fd_mask=3 -print_final_stats=1 \
            -artifact_prefix="$out/findings/$t-" "$out/corpus/$t" 2>"$out/$t.log"; then
        status=1
        echo "   FOUND a failure; input in $out/findings, log in $out/$t.log"
    fi
    grep -E '^stat::number_of_executed_units|^Done' "$out/$t.log" | sed 's/^/   /' || true
done
exit $status
