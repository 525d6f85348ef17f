#!/usr/bin/env bash
# The configurator starts without the network and serial-port libraries: only its online module,
# loaded at first use, needs them. Usage: start-up-libraries.sh VELDRIN
set -euo pipefail
needed=$(readelf -d "$1" | grep NEEDED || true)
[ -n "$needed" ] || { echo "readelf found no library that $1 needs"; exit 1; }
if grep -E 'Qt6Network|Qt6SerialPort' <<<"$needed"; then
  echo "the configurator loads these at start-up"
  exit 1
fi
echo "the configurator starts without the network and serial-port libraries"
