#!/usr/bin/env bash
# Sets everything up on a fresh Debian/Ubuntu machine, checks the floors and
# the format of the source tree, then builds and runs the whole test suite
# twice: a release build in which every warning is an error (it also builds
# and unpacks the Debian package and runs every benchmark once), and a debug
# build under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer
# (without benchmarks or package, which the first build already covers).
# Ends with a short, fixed time of fuzzing for each fuzz target.
# Prints how long each stage took.
set -euo pipefail
cd "$(dirname "$0")/.."

started=$SECONDS
stage_started=$SECONDS
stage() {
    local now=$SECONDS
    [ -n "${stage_name:-}" ] && printf '== %s took %d s ==\n' "$stage_name" $((now - stage_started))
    stage_name=$1
    stage_started=$now
    [ -n "$stage_name" ] && printf '== %s ==\n' "$stage_name"
    return 0
}

stage "install"
bash scripts/install-deps.sh

stage "floors and format"
bash scripts/check-floors.sh
bash scripts/check-format.sh

jobs=$(nproc)
stage "ci build"
cmake --preset ci
cmake --build --preset ci -j "$jobs"
stage "ci tests"
ctest --preset ci -j "$jobs"

stage "sanitize build"
cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
stage "sanitize tests"
ctest --preset sanitize -j "$jobs" --label-exclude package

stage "fuzz"
bash scripts/fuzz.sh "${ORBIQUEST9_FUZZ_SECONDS:-30}"

stage ""
printf '== all stages took %d s ==\n' $((SECONDS - started))
