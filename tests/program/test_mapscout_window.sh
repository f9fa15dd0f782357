#!/usr/bin/env bash
# mapscout level_01.map: a window titled with the file name, the course seen
# from above (a screenshot with many colours), the wheel changes nothing,
# moving the mouse sideways with the right button held turns the view, Escape
# ends it with exit code 0. A missing level file named with a folder (the
# editor makes new levels only under a plain name) gives one error line and a
# failing exit code.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"

./mapscout ../no_such_level.map >stdout.txt 2>stderr.txt
status=$?
[ "$status" -ne 0 ] || fail "a missing level ended with exit code 0"
[ "$(wc -l < stderr.txt)" -eq 1 ] || fail "expected one error line, got: $(cat stderr.txt)"
grep -q "no_such_level.map" stderr.txt || fail "the error line does not name the file: $(cat stderr.txt)"

./mapscout level_01.map >stdout.txt 2>stderr.txt &
APP_PID=$!
window=$(find_window level_01.map) || fail "no window titled level_01.map; stderr: $(cat stderr.txt)"
wait_for_line ogre.log "level_01.map: Es wurden 2 Lichter erstellt." || fail "the level's lights were not built"
wait_for_line ogre.log "Objekte erstellt." || fail "the level's objects were not built"
grep -q "Unbekannter Objekttyp\|nicht gefunden\|cannot be loaded" ogre.log && fail "the level logged a load problem"
xdotool mousemove 512 384
sleep 3
shot() { import -window root "$WORK/$1.png" 2>/dev/null || fail "no screenshot"; }
differs() { compare -metric AE -fuzz 3% "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 | cut -d' ' -f1; }
shot before
read -r colours mean < <(convert "$WORK/before.png" -format '%k %[fx:mean]' info:)
[ "$colours" -gt 2000 ] || fail "the screenshot has only $colours colours"
awk -v m="$mean" 'BEGIN { exit !(m > 0.1 && m < 0.85) }' || fail "the screenshot's mean brightness is $mean"

for _ in 1 2 3 4 5; do xdotool click 4; sleep 0.1; done
sleep 1
shot wheel
[ "$(differs before wheel)" -lt 2000 ] || fail "the wheel changed the view"

xdotool mousemove_relative -- 150 0
sleep 0.5
shot still 0.5
[ "$(differs wheel still)" -lt 2000 ] || fail "moving the pointer without a button turned the view"
xdotool mousedown 3
sleep 0.3
xdotool mousemove_relative -- 150 0
sleep 0.3
xdotool mousemove_relative -- 150 0
sleep 0.3
xdotool mouseup 3
sleep 1
shot_until turned '[ "$(differs wheel turned)" -gt 20000 ]' || fail "moving the mouse sideways with the right button did not turn the view"
[ -n "${KEEP_SCREENSHOT:-}" ] && cp "$WORK/turned.png" "$KEEP_SCREENSHOT"

xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
expect_exit 0 "Escape"
echo "PASS"
