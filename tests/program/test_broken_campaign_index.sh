#!/usr/bin/env bash
# With a broken campaign index the level selection says in one line that the
# index could not be read, the log keeps its line, and Back returns to the
# title screen.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
own_levels
printf '<Campaigns><Campaign name="Cut off"><Levels><Level filename="level_01.map"' > media/levels/campaigns.cmp

start_game
shot title
click $PLAY_BUTTON
shot_until selection '[ "$(differs title selection)" -gt 100000 ]' || fail "Play did not open the level selection"
grep -q -F "campaigns.cmp: " ogre.log || fail "the broken index was not logged"
[ -n "${KEEP_SCREENSHOT:-}" ] && cp "$WORK/selection.png" "$KEEP_SCREENSHOT"

# The line stands where a level's name would, in the label colour, in one
# row of text: its pixels fill a band no taller than one line.
box=1x1+0+0
read -r box < <(convert "$WORK/selection.png" -crop 600x60+350+115 +repage -fuzz 12% -fill white \
  -opaque 'rgb(168,189,230)' -fuzz 0 -fill black +opaque white -trim -format '%wx%h' info: 2>/dev/null)
width=${box%x*}
height=${box#*x}
[ "${width:-0}" -gt 250 ] && [ "${height:-99}" -lt 30 ] ||
  fail "no line about the campaign index where the level name stands (text box ${box:-none})"

click $BACK_BUTTON
shot_until back '[ "$(differs title back)" -lt 20000 ]' || fail "Back did not return to the title screen"
click $QUIT_BUTTON
expect_exit 0 "Quit"
echo "PASS"
