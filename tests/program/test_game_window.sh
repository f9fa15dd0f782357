#!/usr/bin/env bash
# The real game starts from its runnable folder, opens a window titled
# "quillax", registers its states, and ends with exit code 0 when the window
# is closed.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session

cd "$WORK"
./quillax >stdout.txt 2>stderr.txt &
APP_PID=$!
window=$(find_window quillax) || fail "no window titled quillax; stderr: $(cat stderr.txt)"

log="$WORK/ogre.log"
wait_for_line "$log" "***Spielzustand game wurde erfoglreich registriert***" || fail "the states were not registered"
expected=(
  "***Spielzustand main_menu wird initialisiert***"
  "***Spielzustand main_menu wurde erfoglreich registriert***"
  "***Spielzustand game wird initialisiert***"
  "***Spielzustand game wurde erfoglreich registriert***"
)
last=0
for line in "${expected[@]}"; do
  at=$(grep -n -F -- "$line" "$log" | head -n 1 | cut -d: -f1)
  [ -n "$at" ] || fail "ogre.log lacks: $line"
  [ "$at" -gt "$last" ] || fail "out of order: $line"
  last=$at
done

import -window root "$WORK/screen.png" 2>/dev/null
"$RUN_DIR/../tests/close_window" "$window"
for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && fail "the game did not end when its window was closed"
wait "$APP_PID"
status=$?
APP_PID=
[ "$status" -eq 0 ] || fail "exit code $status after closing the window; stderr: $(cat stderr.txt)"
echo "PASS"
