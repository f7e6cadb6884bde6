#!/usr/bin/env bash
# Sets up, builds and starts the desktop program on the simulated station.
# Extra arguments go to skyvane (for example --folder DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
exec ./build/skyvane --simulate "$@"
