#!/usr/bin/env bash
# Sets up, builds and starts Skyvane on the simulated station.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
exec ./build/skyvane-cli --simulate run
