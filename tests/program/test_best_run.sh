#!/usr/bin/env bash
# The player's record, played like a player: level_01 (a straight lane in
# its place) finished with W held, the game closed and started again; the level selection
# shows the best time, the level shows the best run's ghost, and "Watch best
# run" plays it through to the completed screen; Escape during the replay
# goes back to the level selection.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
# Pixels that differ between screenshots $1 and $2 within the region $3 (WxH+X+Y).
differs_in() {
  convert "$WORK/$1.png" -crop "$3" +repage "$WORK/a.png"
  convert "$WORK/$2.png" -crop "$3" +repage "$WORK/b.png"
  compare -metric AE -fuzz 3% "$WORK/a.png" "$WORK/b.png" null: 2>&1 | cut -d' ' -f1
}
LOADED="level_01.map: Es wurden 2 Lichter erstellt."
GO="Go: level_01.map"
# The chosen level's best, under its preview.
BEST_LINE="600x36+352+352"
WATCH_BUTTON="620 683"
RESTART_BUTTON="511 380"
COMPLETED_MAIN_MENU_BUTTON="377 557"

# A wide floor of its own in place of level_01, with the flag straight ahead:
# W held long enough finishes it at any frame rate, as long as the camera
# stays where it looks (the follow camera is off). The run takes some
# seconds, so that its replay is still on screen when Escape leaves it, and
# the level loads at once, so that no key press falls into a long frame.
own_levels
{
  echo '<Level name="First Roll" music="level_01.ogg"><Settings ambient="0.45 0.45 0.5" gravity="0 -100 0"/><Lights>'
  echo '<Light type="dir" dir="-0.4 -1 -0.3"/><Light type="point" pos="0 90 -50"/></Lights><Objects>'
  echo '<Object type="start" pos="0 51.5 0"/><Object type="target" pos="0 51.5 -290"/>'
  echo '<Object type="block" pos="0 50.75 -150" mesh="ground.mesh"/>'
  echo '</Objects></Level>'
} > media/levels/level_01.map
echo "follow_camera = off" >> settings
drive() {
  xdotool keydown w; sleep 9; xdotool keyup w
}
# Restart level from the in-game menu; back once play begins at Go.
restart_level() {
  local loads goes
  loads=$(grep -c -F "$LOADED" ogre.log)
  goes=$(grep -c -F "$GO" ogre.log)
  hold Escape
  sleep 1.5
  click $RESTART_BUTTON
  wait_for_count ogre.log "$LOADED" $((loads + 1)) || fail "Restart did not reload level_01"
  wait_for_count ogre.log "$GO" $((goes + 1)) || fail "play did not begin at Go after Restart"
}

start_game
click $PLAY_BUTTON
shot selection_before
click $START_BUTTON
wait_for_line ogre.log "$LOADED" || fail "Start did not load level_01"
wait_for_line ogre.log "$GO" || fail "play did not begin at Go"
# Two pictures of the level at rest, for what changes by itself (the coins turn).
shot alone_a 2.5
restart_level
shot alone_b 2.5
# A timed run can miss; the ball is then put back and the level restarted.
for attempt in 1 2 3; do
  restart_level
  sleep 0.5
  drive
  for _ in $(seq 60); do [ -s progress/progress ] && break; sleep 0.1; done
  [ -s progress/progress ] && break
done
[ -s progress/progress ] || fail "three runs with W held did not finish level_01"
grep -q -F "[level_01.map]" progress/progress || fail "the progress file does not hold level_01: $(cat progress/progress)"
[ -s progress/replays/level_01.map.replay ] || fail "no best run was kept"
shot completed
keep completed
click $COMPLETED_MAIN_MENU_BUTTON
sleep 1.5
quit_from_title

# Again, as the next day.
start_game
click $PLAY_BUTTON
shot selection_after
keep selection_after
[ "$(differs_in selection_before selection_after "$BEST_LINE")" -gt 300 ] ||
  fail "the level selection does not show the best time"
click $START_BUTTON
wait_for_line ogre.log "$LOADED" || fail "Start did not load level_01 again"
wait_for_line ogre.log "$GO" || fail "play did not begin at Go again"
noise=$(differs alone_a alone_b)
# The ghost rolls off as the clock starts, which a busy machine may delay.
for _ in $(seq 20); do
  shot ghost 0.5
  ghosted=$(differs alone_a ghost)
  [ "$ghosted" -gt $((noise * 2 + 800)) ] && break
done
keep ghost
[ "$ghosted" -gt $((noise * 2 + 800)) ] || fail "no ghost ball in sight ($ghosted pixels changed, $noise by themselves)"
hold Tab
sleep 1.5
click $PLAY_BUTTON
sleep 1.5
click $WATCH_BUTTON
wait_for_count ogre.log "$LOADED" 2 || fail "Watch best run did not load level_01"
# Escape leaves the replay for the level selection, the level still chosen.
shot_until replay '[ "$(differs selection_after replay)" -gt 20000 ]' || fail "the replay is not on screen"
keep replay
hold Escape
shot_until left_replay '[ "$(differs selection_after left_replay)" -lt 20000 ]' ||
  { keep left_replay; fail "Escape did not leave the replay for the level selection"; }
click $WATCH_BUTTON
wait_for_count ogre.log "$LOADED" 3 || fail "Watch best run did not load level_01 again"
shot watched 14
keep watched
# Only "Race your ghost", shown after the run that set the best, tells them apart.
[ "$(differs completed watched)" -lt 30000 ] || fail "the watched run did not reach the completed screen"
# (The shipped gold run of level_01 does not fit the lane in its place, and says so.)
grep -q "replays/level_01.map.replay is not played" ogre.log &&
  fail "the best run was refused: $(grep "is not played" ogre.log)"
hold Escape
expect_running "Escape on the completed screen of a watched run"
echo "PASS"
