#!/usr/bin/env bash
# mapscout follows the level file while an author edits it: a block moved in
# the file moves on screen without a restart and the view stays as it was; a
# file saved half-way keeps the level on screen and lists its problem at the
# bottom of the view; the fixed file clears the list.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
own_levels

# A bright course seen from 300 above the probe, 3 pixels a unit: the start
# in the middle of the view, a block that stays at (-40, 30) and one at ($1, -20).
write_level() {
  cat > media/levels/draft.map <<EOF
<Level name="Draft"><Description>A draft.</Description><Settings ambient="1 1 1" gravity="0 -100 0"/><Objects>
<Object type="start" pos="0 100 0"/><Object type="target" pos="0 100 -200"/>
<Object type="block" id="still" pos="-40 95 30"/><Object type="block" id="moved" pos="$1 95 -20"/>
</Objects></Level>
EOF
}
# Pixels that differ between screenshots $1 and $2 within the region $3 (WxH+X+Y).
differs_in() {
  compare -metric AE -fuzz 3% -extract "$3" "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 | cut -d' ' -f1
}
BLOCK_AT_40="50x50+607+299"
BLOCK_AT_MINUS_10="50x50+457+299"
STILL_BLOCK="50x50+367+449"
LEVEL_VIEW="1024x640+0+0"
PROBLEM_LIST="1000x90+12+666"

write_level 40
# The pointer rests in the middle from the start: moving it would turn the view.
xdotool mousemove 512 384
./mapscout draft.map >stdout.txt 2>stderr.txt &
APP_PID=$!
find_window draft.map >/dev/null || fail "no window titled draft.map; stderr: $(cat stderr.txt)"
wait_for_line ogre.log "draft.map: Es wurden 4 Objekte erstellt." || fail "the level was not built"
shot before 3

BUILT="draft.map: Es wurden 4 Objekte erstellt."
[ "$(grep -c -F "$BUILT" ogre.log)" -eq 1 ] || fail "the level was built again before its file changed"
write_level -10
wait_for_count ogre.log "$BUILT" 2 || fail "the saved file was not built again"
shot moved 1
[ "$(differs_in before moved "$BLOCK_AT_40")" -gt 500 ] || fail "the block did not leave its old place"
[ "$(differs_in before moved "$BLOCK_AT_MINUS_10")" -gt 500 ] || fail "the block did not arrive at its new place"
[ "$(differs_in before moved "$STILL_BLOCK")" -lt 50 ] || fail "the view changed: the block that stayed moved on screen"

# Saved half-way: the level stays, and its problem is listed.
printf '<Level name="Draft"><Objects><Object type="start" pos="0 1' > media/levels/draft.map
wait_for_line ogre.log "the level on screen stays as it was" || fail "the broken file went unnoticed"
shot broken 1
[ "$(differs_in moved broken "$LEVEL_VIEW")" -lt 100 ] || fail "the level on screen changed with a broken file"
[ "$(differs_in moved broken "$PROBLEM_LIST")" -gt 2000 ] || fail "no problem list at the bottom of the view"
grep -q -F "media/levels/draft.map:1: not well-formed XML" ogre.log || fail "the problem is not in ogre.log"
light=$(convert "$WORK/broken.png" -crop "$PROBLEM_LIST" +repage -colorspace Gray -threshold 75% \
  -format '%[fx:round(mean*w*h)]' info:)
[ "$light" -gt 300 ] || fail "the problem list holds no light text ($light light pixels)"

write_level -10
wait_for_count ogre.log "$BUILT" 3 || fail "the fixed file was not built"
shot fixed 1
[ "$(differs_in moved fixed "$PROBLEM_LIST")" -lt 100 ] || fail "the problem list stayed after the fix"
for name in before moved broken fixed; do keep "$name"; done

xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
expect_exit 0 "Escape"
echo "PASS"
