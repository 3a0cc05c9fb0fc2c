#!/usr/bin/env bash
# Sets everything up on a fresh Debian/Ubuntu machine, checks the floors of
# the source tree, then builds and runs the whole test suite twice: a
# release build in which every warning is an error (it also builds and
# unpacks the Debian package), and a debug build under AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer. Ends with a minute of
# fuzzing the velocity reader.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/check-floors.sh

jobs=$(nproc)
echo "== ci build =="
cmake --preset ci
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"

echo "== sanitize build =="
cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
# The package is the release build's; it is checked once, above.
ctest --preset sanitize -j "$jobs" --label-exclude package

echo "== fuzz =="
bash scripts/fuzz.sh
