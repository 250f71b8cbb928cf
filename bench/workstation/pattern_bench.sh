#!/usr/bin/env bash
# The cost of patterns in expected replies: a scenario of N exchanges (default
# 1000) with literal replies and the same with a pattern in every reply,
# replayed in turns ROUNDS times each (default 10) through eqlink and the
# unpaced simulated printer, in one session so both see the same machine; the
# order changes every round (literal first, then patterned first). Prints the
# median whole run of each and cuponex's own processor time (what matching
# adds, and less shaken by a loaded machine), and their ratios.
#   bash bench/workstation/pattern_bench.sh BUILD_DIR [N] [ROUNDS]
set -euo pipefail
build="$1"
count="${2:-1000}"
rounds="${3:-10}"
source "$(dirname "$0")/bench_printers.sh"
start_printer "$build" ttyECF --unpaced

codes=(05 42 43 21 22 23 25 26)
for ((i = 0; i < count; i++)); do
    code=${codes[$((i % ${#codes[@]}))]}
    printf '%s\t.+%s00\n' "$code" "$code" >&3
    printf '%s\t.+{{\\d\\d}}00\n' "$code" >&4
done 3> "$bench_dir/literal" 4> "$bench_dir/patterned"

# replay NAME: one run of the scenario NAME; its wall, user and system times
# (seconds) are appended to NAME.times.
TIMEFORMAT='%R %U %S'
replay() {
    local status=0
    { time "$build/workstation/cuponex" --replay "$bench_dir/$1" --dir "$bench_dir/ecf/ttyECF/" \
        > "$bench_dir/$1.out" 2> "$bench_dir/$1.err"; } 2>> "$bench_dir/$1.times" || status=$?
    [ "$status" -eq 0 ] || { tail -3 "$bench_dir/$1.out" "$bench_dir/$1.err"; echo "$1: exit status $status"; exit 1; }
}

# median FILE COLUMN...: the median of the sum of the columns.
median() {
    local file="$1"
    shift
    awk -v columns="$*" '{ n = split(columns, c, " "); s = 0; for (i = 1; i <= n; i++) s += $c[i]; print s }' "$file" |
        sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

for ((round = 0; round < rounds; round++)); do
    if ((round % 2 == 0)); then
        replay literal
        replay patterned
    else
        replay patterned
        replay literal
    fi
done
for kind in literal patterned; do
    printf '%-10s replies: whole run median %.3f s, processor time of cuponex median %.3f s, for %d exchanges (%d runs)\n' \
        "$kind" "$(median "$bench_dir/$kind.times" 1)" "$(median "$bench_dir/$kind.times" 2 3)" "$count" "$rounds"
done
printf 'patterned / literal: whole run %.3f, processor time %.3f\n' \
    "$(echo "$(median "$bench_dir/patterned.times" 1) / $(median "$bench_dir/literal.times" 1)" | bc -l)" \
    "$(echo "$(median "$bench_dir/patterned.times" 2 3) / $(median "$bench_dir/literal.times" 2 3)" | bc -l)"
