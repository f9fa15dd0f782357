#!/usr/bin/env bash
# Help from the title screen: a page with the controls and the pictures of
# the things a level holds; Back and Escape return to the title screen.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
HELP_BACK="277 665"

start_game
shot title
click $HELP_BUTTON
shot_until help '[ "$(differs title help)" -gt 100000 ]' || fail "Help did not open the help page"
keep help
# The pictures beside their lines: gold coins, the doors' four colours, a violet teleporter.
colours=$(convert "$WORK/help.png" -crop 50x480+508+160 -format '%k' info:)
[ "$colours" -gt 400 ] || fail "the pictures are missing from the help page ($colours colours)"
grep -q "Vorschaubild\|Cannot locate\|cannot locate" ogre.log && fail "a picture could not be loaded: $(grep -i "locate" ogre.log | head -n 2)"
click $HELP_BACK
shot_until back '[ "$(differs title back)" -lt 10000 ]' || fail "Back did not return to the title screen"
click $HELP_BUTTON
hold Escape
# The pointer still rests on Help, which it lights.
shot_until escaped '[ "$(differs title escaped)" -lt 30000 ]' || fail "Escape did not leave the help page"
expect_running "Help was opened and left"
echo "PASS"
