#!/usr/bin/env bash
# A campaign played as a challenge: its first level is won at once (the
# target lies under the start), its second is lost to falls (its gravity
# pulls the ball off the start pad into nothing), so the third fall ends it on the screen that says how far it
# got, and the progress file keeps the campaign's furthest level.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
own_levels
cat >media/levels/campaigns.cmp <<'INDEX'
<Campaigns><Campaign name="Trial"><Levels>
  <Level filename="level_01.map"/><Level filename="level_02.map"/>
</Levels></Campaign></Campaigns>
INDEX
cat >media/levels/level_01.map <<'LEVEL'
<Level name="Won At Once"><Settings gravity="0 -100 0"/><Objects>
  <Object type="start" pos="0 100 0"/><Object type="target" pos="0 100.5 0"/>
</Objects></Level>
LEVEL
cat >media/levels/level_02.map <<'LEVEL'
<Level name="Thin Air"><Settings gravity="60 -100 0"/><Objects>
  <Object type="start" pos="0 100 0"/><Object type="target" pos="-500 100 0"/>
</Objects></Level>
LEVEL
CHALLENGE_BUTTON="206 680"

start_game
click $PLAY_BUTTON
click $CHALLENGE_BUTTON
wait_for_line ogre.log "Challenge: Trial" || fail "the Challenge button did not start the campaign"
wait_for_line ogre.log "level_02.map: Es wurden" || fail "the challenge did not go on from level_01 to level_02"
wait_for_line ogre.log "Challenge over: Trial, Reached level 2 of 2: Thin Air" ||
  fail "three falls on level_02 did not end the challenge"
wait_for_file progress/progress || fail "the challenge's record was not kept"
grep -q -F "[campaign:Trial]" progress/progress && grep -q -F "furthest_level = 2" progress/progress ||
  fail "the progress file lacks the challenge's furthest level: $(cat progress/progress)"
# The level's own record is kept too: level_01 was finished on the way.
grep -q -F "[level_01.map]" progress/progress || fail "level_01's finish in the challenge was not kept"
shot challenge_over
keep challenge_over
echo "PASS"
