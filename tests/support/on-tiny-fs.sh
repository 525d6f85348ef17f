#!/bin/sh
# Runs a test program with VELDRIN_TINY_FS naming a 64 KiB file system of its own, mounted in a
# private user and mount namespace, so the program can fill it; exits 77 (skipped) where this
# system permits no such namespace or no file system mounted in it.
# Usage: on-tiny-fs.sh PROGRAM [ARGUMENT...]
dir=$(mktemp -d) || exit 1
trap 'rmdir "$dir"' EXIT
if ! reason=$(unshare -rm mount -t tmpfs -o size=64k tmpfs "$dir" 2>&1); then
  echo "skipped: no file system of its own can be mounted here (unshare -rm): $reason"
  exit 77
fi
unshare -rm sh -c 'mount -t tmpfs -o size=64k tmpfs "$0" && VELDRIN_TINY_FS="$0" exec "$@"' "$dir" "$@"
