#!/usr/bin/env bash
# Fails when a C++ source of the tree is not as .clang-format lays it out.
# Usage: scripts/check-format.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h' | grep -v '^fuzz/corpus/')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${sources[@]}"
    exit 0
fi
clang-format --dry-run -Werror "${sources[@]}"
echo "check-format: ${#sources[@]} files as .clang-format lays them out"
