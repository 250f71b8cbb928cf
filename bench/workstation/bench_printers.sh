# Sourced by the replay benchmarks: simulated printers, each with its own
# eqlink, in a scratch directory that goes at exit with everything started.
#   start_printer BUILD_DIR NAME [ECFSIM_OPTION...]
# puts ecfsim on $bench_dir/NAME and its link in $bench_dir/ecf/NAME/.
bench_dir="$(mktemp -d /tmp/replay-bench.XXXXXX)"
bench_pids=()
bench_cleanup() {
    for pid in "${bench_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$bench_dir"
}
trap bench_cleanup EXIT

start_printer() {
    local build="$1" name="$2"
    shift 2
    mkdir -p "$bench_dir/ecf"
    "$build/sim/ecfsim" --link "$bench_dir/$name" "$@" > "$bench_dir/$name.ecfsim" &
    bench_pids+=($!)
    for _ in $(seq 100); do [ -s "$bench_dir/$name.ecfsim" ] && break; sleep 0.05; done
    "$build/link/eqlink" -d "$bench_dir/$name" -p "$bench_dir/ecf" &
    bench_pids+=($!)
    for _ in $(seq 100); do [ -d "$bench_dir/ecf/$name" ] && break; sleep 0.05; done
    [ -d "$bench_dir/ecf/$name" ] || { echo "the printer $name did not start" >&2; exit 1; }
}

# The time since the epoch in seconds, with nanoseconds.
now() {
    date +%s.%N
}
