#!/bin/sh
# CPU share of the running animation, measured two ways under xvfb-run:
#  1. the real program right after start-up, with nothing but Timer1's
#     ticks running (before a set-up both pictures sit on the centre, so a
#     tick moves them nowhere);
#  2. bench_simulation --cpu-share, which sets up 51 Peg b through the
#     scripted platform and measures its own CPU time while planet and star
#     circle, then the same for a bare widget moving one picture at that
#     pace: the least any Qt animation costs on this machine.
# Usage: bench/cpu_share.sh [build folder]   (default: build/default)
# Build first: cmake --build <build folder> --target orbiquest9 bench_simulation bench_lab
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
seconds=10
hz=$(getconf CLK_TCK)

work=$(mktemp -d)
chmod 700 "$work"
trap 'rm -rf "$work"' EXIT
# A home of its own: no lock of a running copy, no settings of the user.
export HOME="$work" XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config"

cpu_ticks() {
    # utime + stime, fields 14 and 15 of /proc/<pid>/stat (after the name).
    sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}

xvfb-run -a sh -c "\"$build/src/orbiquest9\" & echo \$! > \"$work/pid\"; wait" &
runner=$!
while [ ! -s "$work/pid" ]; do sleep 0.1; done
pid=$(cat "$work/pid")
sleep 3
before=$(cpu_ticks "$pid")
sleep "$seconds"
after=$(cpu_ticks "$pid")
kill "$pid"
wait "$runner" || true
echo "orbiquest9 after start-up, animation only: $(awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "%.1f %% of one core", 100 * t / hz / s }') over $seconds s"

xvfb-run -a "$build/bench/bench_simulation" --cpu-share "$seconds" 2>/dev/null
# The lab wants a screen large enough for its plot and views side by side.
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/bench_lab" --cpu-share "$seconds" 2>/dev/null
