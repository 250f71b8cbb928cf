#!/usr/bin/env bash
# Three printers at once against one: a scenario of N exchanges (default 200)
# replayed on one printer alone, then on three at once with the README's
# xargs command, each printer with its own eqlink and directory. Printers
# paced at 9600 baud as real ones (the runs wait on their lines), then
# unpaced (the runs compete for the processors). After one run to warm up,
# ROUNDS (default 3) of each in turns; prints the median wall times.
#   bash bench/workstation/printers_bench.sh BUILD_DIR [N] [ROUNDS]
set -euo pipefail
build="$1"
count="${2:-200}"
rounds="${3:-3}"
source "$(dirname "$0")/bench_printers.sh"

codes=(05 42 43 21 22 23 25 26)
for ((i = 0; i < count; i++)); do
    code=${codes[$((i % ${#codes[@]}))]}
    printf '%s\t.+%s00\n' "$code" "$code"
done > "$bench_dir/scenario"

# at_once PRINTER...: the wall time of the replays on every PRINTER at once.
at_once() {
    local start end status=0
    start=$(now)
    printf '%s\n' "$@" | xargs -P 0 -I PORT sh -c \
        "'$build/workstation/cuponex' --replay '$bench_dir/scenario' --dir '$bench_dir/ecf/PORT/' >'$bench_dir/PORT.out' 2>&1" ||
        status=$?
    end=$(now)
    [ "$status" -eq 0 ] || { tail -n 3 "$bench_dir"/*.out; echo "exit status $status"; exit 1; }
    echo "$end - $start" | bc
}

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

for pace in paced unpaced; do
    options=()
    [ "$pace" = unpaced ] && options=(--unpaced)
    for n in 1 2 3; do start_printer "$build" "$pace$n" "${options[@]}"; done
    at_once "${pace}1" "${pace}2" "${pace}3" > /dev/null
    ones=() threes=()
    for ((round = 0; round < rounds; round++)); do
        ones+=("$(at_once "${pace}1")")
        threes+=("$(at_once "${pace}1" "${pace}2" "${pace}3")")
    done
    one=$(median "${ones[@]}")
    three=$(median "${threes[@]}")
    printf '%s printers, %d exchanges each: one alone %.2f s, three at once %.2f s (%.2f times one)\n' \
        "$pace" "$count" "$one" "$three" "$(echo "$three / $one" | bc -l)"
done
