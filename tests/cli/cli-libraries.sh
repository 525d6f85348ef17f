#!/usr/bin/env bash
# veldrin-cli starts without the GUI library: only its documents module, loaded for the report,
# needs it. The report still works from the program, through the module, without a display.
# Usage: cli-libraries.sh VELDRIN_CLI SAMPLE_CONFIGURATION
set -euo pipefail
cli=$1
sample=$2
needed=$(readelf -d "$cli" | grep NEEDED || true)
[ -n "$needed" ] || { echo "readelf found no library that $cli needs"; exit 1; }
if grep -E 'Qt6Gui' <<<"$needed"; then
  echo "veldrin-cli loads the GUI library at start-up"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$cli" report "$sample" --pdf "$work/r.pdf" >"$work/out.txt" ||
  { cat "$work/out.txt"; echo "veldrin-cli report failed"; exit 1; }
[ "$(head -c 5 "$work/r.pdf")" = "%PDF-" ] || { echo "veldrin-cli report wrote no PDF"; exit 1; }
echo "veldrin-cli starts without the GUI library and writes the report through its module"
