#!/usr/bin/env bash
# A broken setup is reported under "ERROR" on stderr with exit code 1, never
# a hang, a silent death or a crash: no X display, config.cfg naming no render
# system or a video mode X cannot make, a media folder gone, and the X server
# going away in the middle of play.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
cp config.cfg config.good

# Runs the game (at most 30 s) and expects exit code 1 with an ERROR line
# holding $1.
expect_error() {
  timeout 30 ./quillax >stdout.txt 2>stderr.txt
  local status=$?
  [ "$status" -eq 1 ] || fail "exit code $status, expected 1 ($1); stderr: $(cat stderr.txt)"
  grep -q -F -- "ERROR: " stderr.txt || fail "no ERROR line ($1); stderr: $(cat stderr.txt)"
  grep -q -F -- "$1" stderr.txt || fail "the ERROR line does not name $1: $(cat stderr.txt)"
}

session_display=$DISPLAY
export DISPLAY=:9999
expect_error 'Cannot open the X display ":9999"'
export DISPLAY=$session_display

printf 'Render System=Nonexistent\n' >config.cfg
expect_error "config.cfg"

for mode in "99999 x 99999" "abc" "0 x 768"; do
  sed "s/^Video Mode=.*/Video Mode=$mode/" config.good >config.cfg
  expect_error "Video Mode=$mode"
done

cp config.good config.cfg
mv media/meshes meshes.away
expect_error "media/meshes"
mv meshes.away media/meshes

# A campaign index naming a preview that is not there: the level selection
# shows the default picture and the game goes on.
own_levels
sed -i 's/"level_01_pre.png"/"nowhere.png"/' media/levels/campaigns.cmp
./quillax >stdout.txt 2>stderr.txt &
APP_PID=$!
find_window quillax >/dev/null || fail "no window with the good settings; stderr: $(cat stderr.txt)"
wait_for_line ogre.log "***Spielzustand game wurde erfoglreich registriert***" || fail "states not registered"
sleep 3
xdotool mousemove $PLAY_BUTTON; sleep 0.3; xdotool mousedown 1; sleep 0.15; xdotool mouseup 1
wait_for_line ogre.log "nowhere.png: the preview picture is missing or is no picture; the default picture is shown" ||
  fail "the missing preview was not reported"
sleep 1
kill -0 "$APP_PID" 2>/dev/null || fail "the game ended over a missing preview; stderr: $(cat stderr.txt)"

# The display goes away while the menu runs.
kill "$XVFB_PID"
expect_exit 1 "the display went away"
grep -q -F "ERROR: The connection to the X server was lost." stderr.txt || fail "stderr: $(cat stderr.txt)"
echo "PASS"
