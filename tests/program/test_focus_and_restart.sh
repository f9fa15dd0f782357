#!/usr/bin/env bash
# In a level, R starts the level again at once, and another window taking the
# focus (alt-tab) opens the in-game menu, so play waits for the player.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
LOADED="level_01.map: Es wurden 2 Lichter erstellt."

start_game
game_window=$(find_window quillax)
click $PLAY_BUTTON
sleep 1.5
click $START_BUTTON
wait_for_line ogre.log "$LOADED" || fail "Start did not load level_01"
sleep 2
hold r
wait_for_count ogre.log "$LOADED" 2 || fail "R did not restart the level"
expect_running "R in a level"
sleep 2
# Held for a while, R restarts once.
xdotool keydown r; sleep 1.5; xdotool keyup r
sleep 1
[ "$(grep -c -F "$LOADED" ogre.log)" -eq 3 ] || fail "a held R restarted $(($(grep -c -F "$LOADED" ogre.log) - 2)) times"

# A window manager gives the game the focus and takes it for another window.
xdotool windowfocus --sync "$game_window"
shot playing 2
display -size 160x120 xc:gray >/dev/null 2>&1 &
other=$!
other_window=$(find_window "ImageMagick: gray") || fail "no other window to switch to"
xdotool windowfocus --sync "$other_window"
sleep 1
kill "$other" 2>/dev/null
shot_until switched_away '[ "$(differs playing switched_away)" -gt 20000 ]' || fail "the in-game menu did not open when another window took the focus"
keep switched_away
xdotool windowfocus --sync "$game_window"
hold Escape
shot_until resumed '[ "$(differs switched_away resumed)" -gt 20000 ]' || fail "Escape did not close the in-game menu again"
hold Tab
expect_running "Tab after the focus came back"
echo "PASS"
