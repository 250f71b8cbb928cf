#!/usr/bin/env bash
# The cost of patterns in expected replies: a scenario of N exchanges (default
# 1000) with literal replies and the same with a pattern in every reply,
# replayed in turns ROUNDS times (default 5) through eqlink and the unpaced
# simulated printer, in one session so both see the same machine. Prints the
# median whole run of each and their ratio.
#   bash bench/workstation/pattern_bench.sh BUILD_DIR [N] [ROUNDS]
set -euo pipefail
build="$1"
count="${2:-1000}"
rounds="${3:-5}"
source "$(dirname "$0")/bench_printers.sh"
start_printer "$build" ttyECF --unpaced

codes=(05 42 43 21 22 23 25 26)
for ((i = 0; i < count; i++)); do
    code=${codes[$((i % ${#codes[@]}))]}
    printf '%s\t.+%s00\n' "$code" "$code" >&3
    printf '%s\t.+{{\\d\\d}}00\n' "$code" >&4
done 3> "$bench_dir/literal" 4> "$bench_dir/patterned"

# replay NAME: one run of the scenario NAME; its wall time is appended to NAME.times.
replay() {
    local start end status=0
    start=$(now)
    "$build/workstation/cuponex" --replay "$bench_dir/$1" --dir "$bench_dir/ecf/ttyECF/" \
        > "$bench_dir/$1.out" || status=$?
    end=$(now)
    [ "$status" -eq 0 ] || { tail -3 "$bench_dir/$1.out"; echo "$1: exit status $status"; exit 1; }
    echo "$end - $start" | bc >> "$bench_dir/$1.times"
}

median() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

for ((round = 0; round < rounds; round++)); do
    replay literal
    replay patterned
done
literal=$(median "$bench_dir/literal.times")
patterned=$(median "$bench_dir/patterned.times")
printf 'literal replies:   median %.3f s for %d exchanges (runs: %s)\n' "$literal" "$count" \
    "$(paste -sd' ' "$bench_dir/literal.times")"
printf 'patterned replies: median %.3f s for %d exchanges (runs: %s)\n' "$patterned" "$count" \
    "$(paste -sd' ' "$bench_dir/patterned.times")"
printf 'patterned / literal: %.3f\n' "$(echo "$patterned / $literal" | bc -l)"
