#!/usr/bin/env bash
# Sets everything up on a fresh Debian/Ubuntu machine, then builds and runs
# the whole test suite twice: a release build with warnings on, and a debug
# build under AddressSanitizer and UndefinedBehaviorSanitizer. Ends with a
# minute of fuzzing the velocity reader.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
for preset in default sanitize; do
    echo "== $preset build =="
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done

echo "== fuzz =="
bash scripts/fuzz.sh
