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

close_and_expect_clean_exit "$window"
echo "PASS"
