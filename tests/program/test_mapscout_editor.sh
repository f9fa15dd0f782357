#!/usr/bin/env bash
# mapscout as a level editor, driven like an author: Control and a click put
# a block where the pointer is, Ctrl+S writes it into the level file (one new
# line, everything else as it was); F5 plays the level from the probe (the
# ball starts where the probe was) and Escape comes back to the editor;
# Ctrl+Z and Ctrl+S give back the file as it was, byte for byte. A level that
# does not exist yet starts from the template and is written on first save;
# the window's close button asks before unsaved changes go, and ends
# mapscout at once once they are saved.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
own_levels

# A bright course seen from 300 above the probe, 3 pixels a unit, the start
# in the middle of the view.
cat > media/levels/draft.map <<'EOF2'
<?xml version="1.0" encoding="UTF-8"?>
<!-- a draft with a comment -->
<Level name="Draft">
  <Settings ambient="1 1 1" gravity="0 -100 0"/>
  <Objects>
    <Object type="start" pos="0 100 0"/>
    <Object type="block" pos="0 98.5 0" shine="an attribute the editor does not know"/>
    <Object type="target" pos="0 100 -200"/>
  </Objects>
</Level>
EOF2
cp media/levels/draft.map original.map

xdotool mousemove 512 384
./mapscout draft.map >stdout.txt 2>stderr.txt &
APP_PID=$!
find_window draft.map >/dev/null || fail "no window titled draft.map; stderr: $(cat stderr.txt)"
BUILT="draft.map: Es wurden 3 Objekte erstellt."
wait_for_line ogre.log "$BUILT" || fail "the level was not built"
shot before 2

# Control and a click 40 units right of the probe: a block there.
xdotool mousemove 632 384
sleep 0.3
xdotool keydown ctrl
sleep 0.3
xdotool click 1
sleep 0.3
xdotool keyup ctrl
wait_for_line ogre.log "draft.map: Es wurden 4 Objekte erstellt." || fail "Control and a click added no object"
shot added 1
[ "$(differs before added)" -gt 300 ] || fail "the new block does not show"
cmp -s original.map media/levels/draft.map || fail "the file changed before it was saved"

xdotool keydown ctrl
sleep 0.2
xdotool key s
sleep 0.2
xdotool keyup ctrl
wait_for_line ogre.log "Saved media/levels/draft.map" || fail "Ctrl+S did not save"
added=$(diff original.map media/levels/draft.map | grep '^>')
[ "$(diff original.map media/levels/draft.map | grep -c '^[<>]')" -eq 1 ] ||
  fail "the save changed more than one line: $(diff original.map media/levels/draft.map)"
echo "$added" | grep -q -E '^>     <Object type="block" pos="(35|40|45) 98\.5 (-5|0|5)"/>$' ||
  fail "the saved line is not a block where the pointer was: $added"

# Fly the probe aside, then play from there.
hold d
hold d
sleep 0.5
xdotool key F5
wait_for_line ogre.log "played from the probe at" || fail "F5 did not play from here"
wait_for_line ogre.log "the ball starts at" || fail "the level was not played"
probe=$(grep -o 'played from the probe at .*' ogre.log | tail -n 1 | sed 's/played from the probe at //')
ball=$(grep -o 'the ball starts at .*' ogre.log | tail -n 1 | sed 's/the ball starts at //')
[ "$probe" = "$ball" ] || fail "the ball starts at $ball, the probe was at $probe"
[ "$probe" != "0.0 105.0 0.0" ] || fail "the probe did not fly before the play"
sleep 1
hold Escape
wait_for_line ogre.log "back in the editor" || fail "Escape did not go back to the editor"
expect_running "Escape in play"

# Undo the block and save: the file as it was.
xdotool keydown ctrl
sleep 0.2
xdotool key z
sleep 0.5
xdotool key s
sleep 0.2
xdotool keyup ctrl
wait_for_count ogre.log "Saved media/levels/draft.map" 2 || fail "the second Ctrl+S did not save"
cmp original.map media/levels/draft.map || fail "undo and save did not give back the file"
for name in before added; do keep "$name"; done

hold Escape
expect_exit 0 "Escape with nothing unsaved"

# A new level: the template on screen, written on first save.
./mapscout brand_new.map >stdout.txt 2>stderr.txt &
APP_PID=$!
window=$(find_window brand_new.map) || fail "no window for a new level; stderr: $(cat stderr.txt)"
wait_for_line ogre.log "brand_new.map: Es wurden 6 Objekte erstellt." || fail "the template was not built"
new_file=levels/brand_new.map
[ -e "$new_file" ] && fail "the new level was written before it was saved"
# The window's close button while the new level is unsaved: asked, not ended.
"$RUN_DIR/../tests/close_window" "$window"
wait_for_line ogre.log "the window is closing; unsaved changes; asking before mapscout ends" ||
  fail "closing the window with unsaved changes did not ask"
expect_running "closing the window with unsaved changes"
[ -e "$new_file" ] && fail "closing the window wrote the new level"
# The pointer is let free once the level is up: keys held before would not count.
sleep 1
xdotool key n
sleep 0.3
xdotool keydown ctrl
sleep 0.2
xdotool key s
sleep 0.2
xdotool keyup ctrl
wait_for_file "$new_file" || fail "Ctrl+S did not write the new level to the add-on folder"
grep -q '<Level name="brand_new">' "$new_file" || fail "the new level is not the template"
# Saved, the close button ends mapscout without a question.
close_and_expect_clean_exit "$window"
echo "PASS"
