#!/usr/bin/env bash
# Three rounds of quick start (Return), in-game menu (Escape) and "Main menu"
# lead back to the one title screen each time, so one click on Quit ends the
# game.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
start_game
shot title

for round in 1 2 3; do
  hold Return
  wait_for_count ogre.log "level_01.map: Es wurden 2 Lichter erstellt." "$round" ||
    fail "Return did not quick-start level_01 in round $round"
  sleep 2
  hold Escape
  sleep 2.5
  click $MENU_MAIN_MENU_BUTTON
  shot "round_$round" 2.5
  [ "$(differs title "round_$round")" -lt 20000 ] || fail "Main menu did not show the title screen in round $round"
done

click $QUIT_BUTTON
expect_exit 0 "one click on Quit after three quick starts"
echo "PASS"
