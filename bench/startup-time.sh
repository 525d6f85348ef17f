#!/usr/bin/env bash
# Times the configurator from its start to its first painted main window against a minimal
# Qt Widgets program, in rounds of hyperfine runs, and prints the ratio of their medians
# (target: within 1.3).
set -euo pipefail
build=${1:-build}
dist="$build/dist"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$dist/." "$work/"
# The configurator from its own main(), ending once its main window has painted.
cp "$build/tools/veldrin_first_paint" "$work/"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# Six rounds of ten runs each, the two commands in turn in every round.
for round in 1 2 3 4 5 6; do
  hyperfine --style none --warmup 2 --runs 10 --export-json "$work/round-$round.json" \
    -n minimal "$build/bench/minimal_window" \
    -n veldrin "$work/veldrin_first_paint"
done
"$(dirname "$0")/median-ratio.py" 1.3 veldrin/minimal -- "$work"/round-*.json
