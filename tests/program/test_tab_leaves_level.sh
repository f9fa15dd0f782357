#!/usr/bin/env bash
# Tab in a level started from the level selection returns to the title
# screen and the game goes on; quitting is left to the title screen.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
start_game
shot title

click $PLAY_BUTTON
sleep 1.5
click $START_BUTTON
wait_for_line ogre.log "level_01.map: Es wurden 2 Lichter erstellt." || fail "Start did not load level_01"
sleep 2
hold Tab
expect_running "Tab in a level started from the level selection"
shot_until after_tab '[ "$(differs title after_tab)" -lt 20000 ]' || fail "Tab did not return to the title screen"

quit_from_title
echo "PASS"
