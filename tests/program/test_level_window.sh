#!/usr/bin/env bash
# A level loads in the running program: mapscout level_01.map opens a window
# titled with the file name, the log shows the level built, a screenshot
# shows a lit course (many colours, neither black nor washed out), and
# closing the window ends the program with exit code 0.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session

cd "$WORK"
./mapscout level_01.map >stdout.txt 2>stderr.txt &
APP_PID=$!
window=$(find_window level_01.map) || fail "no window titled level_01.map; stderr: $(cat stderr.txt)"
wait_for_line ogre.log "level_01.map: Es wurden 2 Lichter erstellt." || fail "the level's lights were not built"
wait_for_line ogre.log "Objekte erstellt." || fail "the level's objects were not built"
grep -q "Unbekannter Objekttyp\|nicht gefunden\|kann nicht geladen werden" ogre.log && fail "the level logged a load problem"
sleep 3
import -window root "$WORK/level.png" 2>/dev/null || fail "no screenshot"
read -r colours mean < <(convert "$WORK/level.png" -format '%k %[fx:mean]' info:)
[ "$colours" -gt 2000 ] || fail "the screenshot has only $colours colours"
awk -v m="$mean" 'BEGIN { exit !(m > 0.1 && m < 0.85) }' || fail "the screenshot's mean brightness is $mean"
[ -n "${KEEP_SCREENSHOT:-}" ] && cp "$WORK/level.png" "$KEEP_SCREENSHOT"

close_and_expect_clean_exit "$window"
echo "PASS"
