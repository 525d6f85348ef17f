#!/bin/sh
# Runs a test program as nobody when the tests run as root, since permissions do not bind root;
# exits 77 (skipped) where nobody cannot reach the program.
if [ "$(id -u)" != 0 ]; then
  exec "$@"
fi
as_nobody="setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp"
$as_nobody test -x "$1" || exit 77
exec $as_nobody "$@"
