#!/usr/bin/env bash
# Starts the simulated printer, the link program on it and the workstation
# pointed at the link program's working directory. Closing the window stops
# the other two. Without a display, the window opens on a virtual one (Xvfb).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/build.sh" --run

run="$(mktemp -d /tmp/cuponex-run.XXXXXX)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT

mkdir -p "$run/ecf"
device="$run/ttyECF"
"$root/build/sim/ecfsim" --link "$device" --baud 9600 --log "$run/frames.log" > "$run/ecfsim.out" &
pids+=($!)
for _ in $(seq 100); do [ -s "$run/ecfsim.out" ] && break; sleep 0.05; done

# The link program's working directory follows the device's base name.
"$root/build/link/eqlink" -d "$device" -p "$run/ecf" &
pids+=($!)
workdir="$run/ecf/ttyECF"
for _ in $(seq 100); do [ -d "$workdir" ] && break; sleep 0.05; done

echo "Simulated printer: $device   working directory: $workdir/"
echo "Frames received by the printer are logged in $run/frames.log"

# One exchange through the files, as the window makes it: command 05.
printf '\033.05}\n' > "$workdir/eqW.MSG"
mv "$workdir/eqW.MSG" "$workdir/eq.MSG"
for _ in $(seq 100); do [ -e "$workdir/eq.RSP" ] && break; sleep 0.05; done
echo "Sent ESC.05} - reply: $(cat "$workdir/eq.RSP" 2>/dev/null || echo '(none)')"
rm -f "$workdir/eq.RSP"

if [ -z "${DISPLAY:-}" ]; then
    echo "No display: the window runs on a virtual display (xvfb-run); Ctrl+C stops everything."
    xvfb-run -a -s "-screen 0 1024x768x24" "$root/build/workstation/cuponex" --dir "$workdir"
else
    "$root/build/workstation/cuponex" --dir "$workdir"
fi
