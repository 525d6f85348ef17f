#!/usr/bin/env bash
# The configurator started on a folder another one runs from shows its message and touches no
# file; started alone on the same folder it starts, and writes its settings when it closes.
# Usage: second-instance.sh VELDRIN VELDRIN_FIRST_PAINT (the same program, ending after its first
# paint)
set -euo pipefail
command -v flock >/dev/null || { echo "flock(1) is missing"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/veldrin"
cp "$2" "$work/veldrin_first_paint"
export QT_QPA_PLATFORM=offscreen

# The lock another configurator would hold, held here by flock(1) for as long as it reads input.
coproc holder { flock -o "$work/Veldrin.lock" -c 'echo held; read line'; }
# Kept now: bash forgets holder_PID as soon as the coprocess has ended.
holder_pid=$holder_PID
read -r _ <&"${holder[0]}"
status=0
timeout 5 "$work/veldrin" >"$work/out.txt" 2>&1 || status=$?
echo done >&"${holder[1]}"
wait "$holder_pid" || true
# 124: still showing its message when stopped; whatever it did, it did to no file.
[ "$status" -eq 124 ] || { echo "the second configurator did not wait on its message (exit $status)"; exit 1; }
left=$(ls -A "$work" | grep -v -e '^veldrin$' -e '^veldrin_first_paint$' -e '^out.txt$' -e '^Veldrin.lock$' || true)
[ -z "$left" ] || { echo "the second configurator wrote: $left"; exit 1; }

# Alone, it starts and writes its settings on closing.
timeout 20 "$work/veldrin_first_paint" >/dev/null 2>&1
[ -f "$work/Veldrin.xml" ] || { echo "the configurator did not start alone"; exit 1; }
echo "a second configurator waits on its message and writes nothing"
