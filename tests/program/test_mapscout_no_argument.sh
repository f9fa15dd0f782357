#!/usr/bin/env bash
# mapscout without a level prints exactly one line, exits 0, opens no window.
set -u
RUN_DIR=$1
out=$(cd "$RUN_DIR" && env -u DISPLAY ./mapscout)
status=$?
[ "$status" -eq 0 ] || { echo "FAIL: exit code $status"; exit 1; }
[ "$out" = "Kein Level als Argument angegeben" ] || { echo "FAIL: printed: $out"; exit 1; }
echo "PASS"
