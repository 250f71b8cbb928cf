#!/usr/bin/env bash
# A scenario of N exchanges (default 1000) replayed by cuponex --replay through
# eqlink and the unpaced simulated printer: the whole run, and the median and
# 99th percentile of the time each exchange took as the replay reports it.
#   bash bench/workstation/replay_bench.sh BUILD_DIR [N]
set -euo pipefail
build="$1"
count="${2:-1000}"
source "$(dirname "$0")/bench_printers.sh"
start_printer "$build" ttyECF --unpaced
dir="$bench_dir"

codes=(05 42 43 21 22 23 25 26)
for ((i = 0; i < count; i++)); do
    code=${codes[$((i % ${#codes[@]}))]}
    printf '%s\t.+%s00\n' "$code" "$code"
done > "$dir/scenario"

start=$(now)
status=0
"$build/workstation/cuponex" --replay "$dir/scenario" --dir "$dir/ecf/ttyECF/" > "$dir/out" || status=$?
end=$(now)
tail -1 "$dir/out"
[ "$status" -eq 0 ] || { echo "replay exit status $status"; exit 1; }

grep -oE '[0-9]+\.[0-9] ms' "$dir/out" | cut -d' ' -f1 | sort -n > "$dir/times"
n=$(wc -l < "$dir/times")
median=$(sed -n "$(( (n + 1) / 2 ))p" "$dir/times")
p99=$(sed -n "$(( (n * 99 + 99) / 100 ))p" "$dir/times")
printf 'whole run: %.2f s for %d exchanges; per exchange: median %s ms, p99 %s ms\n' \
    "$(echo "$end - $start" | bc)" "$n" "$median" "$p99"
