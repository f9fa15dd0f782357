#!/usr/bin/env bash
# Return on the title screen plays level_01 as the first level of its
# campaign: its completed screen offers the next level, and Return there
# starts it. (Here level_01 is won at once: its target lies under the start.)
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
own_levels
cat >media/levels/level_01.map <<'LEVEL'
<Level name="First Roll"><Settings gravity="0 -100 0"/><Objects>
  <Object type="start" pos="0 100 0"/><Object type="target" pos="0 100.5 0"/>
</Objects></Level>
LEVEL
start_game
hold Return
wait_for_line ogre.log "level_01.map: Es wurden" || fail "Return did not quick-start level_01"
# The finish is kept in the player's progress as the completed screen opens.
wait_for_file progress/progress || fail "the quick-started level_01 was not finished"
xdotool key Return
wait_for_line ogre.log "level_02.map: Es wurden" ||
  fail "the completed screen of a quick-started level_01 did not lead on to level_02"
echo "PASS"
