#!/usr/bin/env bash
# The options screen from the title screen: a key bound anew by pressing it,
# a key another action has refused, the music volume and the window size
# changed; all of it written to the settings file and kept when the game
# starts again, in a window of the new size.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"

# The options panel's places at 1024 x 768: tabs, the first rows of a page
# (the key's button, or - and +), and Back.
SOUND_TAB="334 122"
VIDEO_TAB="512 122"
FIRST_ROW_BUTTON="381 205"
SECOND_ROW_BUTTON="381 256"
FIRST_ROW_LESS="488 205"
OPTIONS_BACK="512 714"

start_game
shot title
keep title
click $OPTIONS_BUTTON
shot_until options '[ "$(differs title options)" -gt 100000 ]' || fail "Options did not open the options screen"
keep options

# The key comes a moment after the click, as a player's would.
click $FIRST_ROW_BUTTON
sleep 0.5
hold Up
wait_for_line settings "key_forward = Up" || fail "forward bound to Up was not saved: $(cat settings 2>&1)"
shot bound
click $SECOND_ROW_BUTTON
sleep 0.5
hold Up
shot_until refused '[ "$(differs bound refused)" -gt 300 ]' || fail "the refused key left no notice on the screen"
keep refused
grep -q "key_left = A" settings || fail "a key that forward has was taken for left: $(cat settings)"

click $SOUND_TAB
click $FIRST_ROW_LESS
click $FIRST_ROW_LESS
wait_for_line settings "music_volume = 80" || fail "the music volume was not saved: $(cat settings)"
click $OPTIONS_BACK
shot_until back '[ "$(differs title back)" -lt 2000 ]' || fail "Back did not return to the title screen"

# The window changes at once (see test_window_mode.sh); Escape leaves the
# options and then the game, wherever the smaller window now stands.
click $OPTIONS_BUTTON
shot_until reopened '[ "$(differs title reopened)" -gt 100000 ]' || fail "Options did not open again"
click $VIDEO_TAB
shot_until video '[ "$(differs reopened video)" -gt 1000 ]' || fail "the Video tab did not open its page"
keep video
click $FIRST_ROW_LESS
wait_for_line settings "window_size = 800 x 600" || fail "the window size was not saved: $(cat settings)"
wait_for_window_size "$(find_window quillax)" 800x600 || fail "the window did not become 800x600"
hold Escape
quit_from_title

start_game
window=$(find_window quillax)
[ "$(window_size "$window")" = 800x600 ] || fail "the window is $(window_size "$window") after the restart, not 800x600"
import -window "$window" "$WORK/small.png" 2>/dev/null
[ "$(identify -format '%wx%h' "$WORK/small.png")" = 800x600 ] || fail "the window's picture is not 800x600"
keep small
grep -q "music_volume = 80" settings && grep -q "key_forward = Up" settings || fail "settings lost: $(cat settings)"
echo "PASS"
