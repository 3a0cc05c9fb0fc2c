#!/usr/bin/env bash
# Builds the libFuzzer targets of the numeric libraries with clang in
# build/fuzz (no Qt needed) and runs the velocity reader's target, then the
# periodogram and fit's target, each for a bounded time.
# Usage: scripts/fuzz.sh [seconds]   (default 60)
# A crash leaves its input in build/fuzz/artifacts/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
build=build/fuzz

cmake -S . -B "$build" -G Ninja \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBIQUEST9_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_rvreader fuzz_analysis

# New inputs go to a working corpus in the build folder; the seed corpus in
# fuzz/corpus stays as committed.
mkdir -p "$build/corpus/rvreader" "$build/corpus/analysis" "$build/artifacts"
# -max_len reaches past the reader's 64 KiB line limit, so its refusal is exercised too.
"$build/fuzz/fuzz_rvreader" "$build/corpus/rvreader" fuzz/corpus \
    -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=70000 -timeout=10 \
    -artifact_prefix="$build/artifacts/" -print_final_stats=1

# The periodogram and the fit on whatever the reader accepts; short inputs
# (at most 200 points are analysed) reach every path.
"$build/fuzz/fuzz_analysis" "$build/corpus/analysis" fuzz/corpus \
    -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=4000 -timeout=10 \
    -artifact_prefix="$build/artifacts/" -print_final_stats=1
