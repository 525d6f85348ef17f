#!/usr/bin/env bash
# Times the configurator from its start to its first painted main window against a minimal
# Qt Widgets program, in the same hyperfine run, and prints the ratio (target: within 1.3).
set -euo pipefail
build=${1:-build}
dist="$build/dist"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$dist/." "$work/"
# The configurator from its own main(), ending once its main window has painted.
cp "$build/tools/veldrin_first_paint" "$work/"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
hyperfine --warmup 3 --runs 30 --export-json "$work/times.json" \
  -n minimal "$build/bench/minimal_window" \
  -n veldrin "$work/veldrin_first_paint"
python3 - "$work/times.json" <<'PY'
import json, sys
r = {x["command"]: x["mean"] for x in json.load(open(sys.argv[1]))["results"]}
ratio = r["veldrin"] / r["minimal"]
print(f"veldrin / minimal = {ratio:.2f} (target: at most 1.3)")
sys.exit(0 if ratio <= 1.3 else 1)
PY
