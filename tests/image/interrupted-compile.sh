#!/usr/bin/env bash
# A compile killed at any file-system step, or failing at the one that puts the images in place,
# leaves both earlier images or both new ones in the configuration's bin folder, never a mix;
# the next compile removes whatever the interrupted one left behind.
# Usage: interrupted-compile.sh VELDRIN_CLI SAMPLE_CONFIGURATION
set -euo pipefail
cli=$1
sample=$2
command -v strace >/dev/null || { echo "strace is missing: scripts/setup installs it"; exit 1; }
strace -f -qq -o /dev/null true || { echo "strace cannot trace here"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
config=$work/Plant
bin=$config/bin
mkdir -p "$config" "$work/A" "$work/B"
cp "$sample/ParGen.xml" "$sample/ModbusM_SetAccess.xml" "$config/"
sed 's/<IP1>[0-9]*</<IP1>10</' "$sample/ParGen.xml" >"$work/A/ParGen.xml"
sed 's/<IP1>[0-9]*</<IP1>172</' "$sample/ParGen.xml" >"$work/B/ParGen.xml"

compile() { "$cli" compile "$config" >/dev/null 2>&1; }
use() { cp "$work/$1/ParGen.xml" "$config/ParGen.xml"; }
for version in A B; do
  use $version
  compile
  cp "$bin/bank.bin" "$bin/bank2.bin" "$work/$version/"
done
for image in bank.bin bank2.bin; do
  if cmp -s "$work/A/$image" "$work/B/$image"; then
    echo "the two versions give the same $image: the test cannot tell them apart"
    exit 1
  fi
done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pair() {
  for version in A B; do
    if cmp -s "$bin/bank.bin" "$work/$version/bank.bin" && cmp -s "$bin/bank2.bin" "$work/$version/bank2.bin"; then
      echo $version
      return
    fi
  done
  echo mixed
}
clean() {
  [ "$(ls -A "$config" | tr '\n' ' ')" = "ModbusM_SetAccess.xml ParGen.xml bin " ] &&
    [ "$(ls -A "$bin" | tr '\n' ' ')" = "bank.bin bank2.bin " ]
}
# From version A to B with strace's options; then B again without them must leave a clean folder,
# and A again sets up the next case.
attempt() {
  local what=$1
  shift
  use A
  compile
  use B
  # In a shell of its own, whose report of the kill goes nowhere.
  bash -c '"$@"; exit $?' traced strace -f -qq -o /dev/null "$@" "$cli" compile "$config" >/dev/null 2>&1 &&
    status=0 || status=$?
  local found
  found=$(pair)
  [ "$found" = mixed ] && fail "$what: a mixed pair"
  [ "$status" -eq 0 ] && [ "$found" != B ] && fail "$what: success reported, but the images are $found"
  compile || fail "$what: the next compile failed"
  [ "$(pair)" = B ] || fail "$what: the next compile did not write the new images"
  clean || fail "$what: the next compile left $(ls -A "$config" "$bin" | tr '\n' ' ')"
  return 0
}

use A
compile
use B
kills=0
for call in openat mkdir write fsync renameat2 unlink rmdir close; do
  count=$(strace -f -qq -o /dev/stdout -e trace=$call "$cli" compile "$config" 2>/dev/null | grep -c "$call(" || true)
  for ((n = 1; n <= count; n++)); do
    attempt "killed at $call #$n" -e trace=$call -e inject=$call:signal=KILL:when=$n
    kills=$((kills + 1))
  done
done

attempt "exchange failing with EIO" -e trace=renameat2 -e inject=renameat2:error=EIO:when=1
[ "$(pair)" = B ] || fail "after the failed exchange"
attempt "no exchange on this file system" -e trace=renameat2 -e inject=renameat2:error=EINVAL:when=1
# Without the exchange the files are replaced one after the other: a failure between them is
# the one case that can leave a mix, and the error must say so.
use A
compile
use B
message=$(strace -f -qq -o /dev/null -e trace=renameat2,rename -e inject=renameat2:error=EINVAL:when=1 \
  -e inject=rename:error=EIO:when=2 "$cli" compile "$config" 2>&1 >/dev/null || true)
grep -q "cannot be exchanged in one step" <<<"$message" || fail "the fallback's failure does not say why: $message"

echo "$kills interrupted compiles, $failures failures"
[ "$failures" -eq 0 ]
