#!/usr/bin/env bash
# Escape on the level selection returns to the title screen, however long it
# is held; a new press of Escape on the title screen asks whether to quit:
# Escape stays, Y quits.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
start_game
shot title

click $PLAY_BUTTON
shot_until selection '[ "$(differs title selection)" -gt 100000 ]' || fail "Play did not open the level selection"
xdotool mousemove 300 700
sleep 0.5
xdotool keydown Escape
sleep 0.6
xdotool keyup Escape
expect_running "Escape on the level selection"
shot_until after_escape '[ "$(differs title after_escape)" -lt 20000 ]' || fail "Escape did not return to the title screen"

hold Escape
wait_for_line ogre.log "The title screen asks whether to quit" || fail "Escape on the title screen did not ask"
shot asked
[ "$(differs after_escape asked)" -gt 5000 ] || fail "the question is not on screen"
hold Escape
expect_running "Escape on the question"
shot stayed
[ "$(differs title stayed)" -lt 20000 ] || fail "Escape on the question did not return to the title screen"
quit_from_title
echo "PASS"
