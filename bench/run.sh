#!/bin/sh
# Builds and runs every benchmark in a virtual X server and prints the figures.
# Usage: bench/run.sh   (uses the default preset's build folder)
set -eu
cd "$(dirname "$0")/.."

cmake --preset default >/dev/null
cmake --build --preset default --target orbiquest9 bench
build=build/default

export XDG_RUNTIME_DIR="$(mktemp -d)"
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

xvfb-run -a "$build/bench/bench_startup"
xvfb-run -a "$build/bench/bench_simulation"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/bench_lab"
"$build/bench/bench_kepler"
sh bench/cpu_share.sh "$build"
"$build/bench/bench_rvreader"
"$build/bench/bench_periodogram"
"$build/bench/bench_fit"
"$build/bench/bench_detect"
"$build/bench/bench_posterior"
