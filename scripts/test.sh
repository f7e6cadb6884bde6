#!/usr/bin/env bash
# Sets up, builds and runs every test under CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --preset default -j"$(nproc)" --timeout 300
