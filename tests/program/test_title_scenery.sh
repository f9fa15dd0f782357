#!/usr/bin/env bash
# The level behind the title screen: off by the setting, the title screen
# stands still on its plain backdrop; switched on in Options (Video), the
# level comes at once and moves while the menus work over it; it leaves a
# level started from the title, and comes back with the title, time after
# time; switched off again, it is gone at once and the setting is saved.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"

SHOWN="The title screen shows level_10.map behind its menus"
# The window's margins beside the title panel, the level selection's and
# the options', where the scenery shows.
MARGIN="170x600+20+80"
SELECTION_MARGIN="1024x20+0+748"
OPTIONS_MARGIN="14x600+2+80"
# The title screen's Play button, opaque over any backdrop (its panel lets
# a little of the scenery through).
PLAY_CROP="280x50+372+420"
# Options, Video tab, the row "Level behind menus" and Back.
VIDEO_TAB="512 122"
SCENERY_BUTTON="702 516"
OPTIONS_BACK="512 713"
differs_in() { compare -metric AE -fuzz 3% "$WORK/$1.png[$3]" "$WORK/$2.png[$3]" null: 2>&1 | cut -d' ' -f1; }
# Two pictures a second apart differ in the margin $3 (the title's by default).
moving() { shot "$1" 0.1; sleep 1; shot "$2" 0.1; [ "$(differs_in "$1" "$2" "${3:-$MARGIN}")" -gt 200 ]; }
# A title screen that stands still: ten tries, as a redraw may fall between the two pictures.
standing() { for _ in $(seq 10); do moving "$1" "$2" || return 0; done; return 1; }
toggle_in_options() {
  click $OPTIONS_BUTTON
  shot_until options '[ "$(differs_in title options 600x300+200+100)" -gt 20000 ]' || fail "Options did not open"
  click $VIDEO_TAB
  sleep 1
  click $SCENERY_BUTTON
  wait_for_line settings "title_scenery = $1" || fail "the setting was not saved as $1: $(cat settings)"
}

echo "title_scenery = off" >settings
start_game
shot title
keep title
standing still_a still_b || fail "the title screen moves with the scenery off"
grep -q -F "The title screen shows" ogre.log && fail "the scenery was built while the setting is off"
[ "$(convert "$WORK/title.png" -crop "$MARGIN" -format '%[fx:minima.r]' info:)" = 1 ] ||
  fail "the backdrop is not plain white with the scenery off"

toggle_in_options on
wait_for_line ogre.log "$SHOWN" || fail "switching the setting on did not bring the scenery"
keep options
moving moving_a moving_b "$OPTIONS_MARGIN" || fail "the scenery behind the options does not move"
click $OPTIONS_BACK
shot_until back '[ "$(differs_in title back "$PLAY_CROP")" -lt 300 ]' || fail "Back did not return to the title screen"
moving title_a title_b || fail "the scenery behind the title screen does not move"
keep title_a
# The title's buttons stay as they were.
[ "$(differs_in title title_a "$PLAY_CROP")" -lt 300 ] || fail "the Play button changed over the scenery"

# The menus work over it.
click $PLAY_BUTTON
shot_until selection '[ "$(differs_in title_a selection 600x300+200+100)" -gt 20000 ]' || fail "Play did not open the level selection"
keep selection
moving selection_a selection_b "$SELECTION_MARGIN" || fail "the scenery behind the level selection does not move"
click $BACK_BUTTON
shot_until back '[ "$(differs_in title back "$PLAY_CROP")" -lt 300 ]' || fail "Back did not return to the title screen"

# A level and back, three times: the scenery goes and comes with the title.
for round in 1 2 3; do
  hold Return
  # Tab leaves once the level runs, after its start card.
  wait_for_count ogre.log "Go: level_01.map" "$round" || fail "Return did not start level_01 (round $round)"
  # A busy machine may draw a frame slower than a quarter second's press: press again until the title is back.
  for _ in 1 2 3 4 5; do
    hold Tab
    poll 50 holds_lines ogre.log "$SHOWN" "$((round + 1))" && break
  done
  holds_lines ogre.log "$SHOWN" "$((round + 1))" || fail "the scenery did not come back with the title (round $round)"
done
moving again_a again_b || fail "the scenery does not move after three levels"
keep again_a

toggle_in_options off
click $OPTIONS_BACK
shot_until back '[ "$(differs_in title back "$PLAY_CROP")" -lt 300 ]' || fail "Back did not return to the title screen"
standing off_a off_b || fail "the title screen still moves after the setting went off"
[ "$(convert "$WORK/off_a.png" -crop "$MARGIN" -format '%[fx:minima.r]' info:)" = 1 ] ||
  fail "the backdrop is not plain white again"
kill -0 "$APP_PID" 2>/dev/null || fail "the game ended"
quit_from_title
echo "PASS"
