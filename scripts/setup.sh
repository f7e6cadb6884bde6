#!/usr/bin/env bash
# Installs what the build needs (Debian 12 packages) and builds Skyvane into build/.
# Safe to run again: it installs only what is missing and builds incrementally.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libgl-dev libhidapi-dev xvfb xauth
          nlohmann-json3-dev libmosquitto-dev mosquitto mosquitto-clients
          libmicrohttpd-dev libcurl4-openssl-dev libjs-chart.js chromium
          python3 scdoc
          influxdb victoria-metrics prometheus)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  # The database servers are there for the tests, which start their own on
  # free loopback ports: their system services are not started on install.
  policy=""
  if [ ! -e /usr/sbin/policy-rc.d ]; then
    policy=/usr/sbin/policy-rc.d
    printf '#!/bin/sh\nexit 101\n' | $SUDO tee "$policy" >/dev/null
    $SUDO chmod 755 "$policy"
  fi
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
  if [ -n "$policy" ]; then $SUDO rm -f "$policy"; fi
fi

# SKYVANE_PACKAGES_ONLY=1 stops here (scripts/package.sh builds on its own).
[ "${SKYVANE_PACKAGES_ONLY:-0}" = 1 ] && exit 0

# SKYVANE_WARNINGS_AS_ERRORS=1 (as CI sets it) makes every warning an error.
cmake --preset default -DSKYVANE_WARNINGS_AS_ERRORS="${SKYVANE_WARNINGS_AS_ERRORS:-OFF}" >/dev/null
cmake --build --preset default
