#!/usr/bin/env bash
# Sets everything up on a fresh Debian/Ubuntu machine, builds and starts Orbiquest9.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target orbiquest9
exec build/default/src/orbiquest9
