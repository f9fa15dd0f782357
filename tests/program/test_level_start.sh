#!/usr/bin/env bash
# A level starts like a race: the start card in the middle of the window,
# then "Ready" and "Go!"; the clock stands at 00:00 until Go and runs after
# it. R starts the level again at Ready, without the card, with the clock at
# 00:00. The pictures are the game's own (Print Screen): a grab of the whole
# display takes seconds while a level draws, longer than the card stays.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
LOADED="level_01.map: Es wurden 2 Lichter erstellt."
READY="Ready: level_01.map"
GO="Go: level_01.map"
# At 1024 x 768: the middle of the card, below where "Ready" stands, and the
# clock's digits in the counters at the top left.
CARD="500x110+262+300"
CLOCK="90x36+330+18"
# Pixels that differ between pictures $1 and $2 within the region $3 (WxH+X+Y).
differs_in() {
  convert "$WORK/$1.png" -crop "$3" +repage "$WORK/a.png"
  convert "$WORK/$2.png" -crop "$3" +repage "$WORK/b.png"
  compare -metric AE -fuzz 3% "$WORK/a.png" "$WORK/b.png" null: 2>&1 | cut -d' ' -f1
}
lines() { grep -c -F -- "$1" ogre.log; }
# Print Screen; the game's picture as $WORK/$1.png. $2 is the log line whose
# count is kept in WHEN_SHOT as the picture appeared.
SHOTS=0
game_shot() {
  SHOTS=$((SHOTS + 1))
  hold Print
  wait_for_file "screenshots/screenshot_$SHOTS.png" || fail "Print Screen wrote no picture for $1"
  WHEN_SHOT=$(lines "$2")
  poll 100 convert "screenshots/screenshot_$SHOTS.png" "$WORK/$1.png" 2>/dev/null || fail "the picture $1 cannot be read"
  keep "$1"
}

start_game
hold Return
wait_for_line ogre.log "$LOADED" || fail "Return did not quick-start level_01"
game_shot card "$READY"
[ "$WHEN_SHOT" -eq 0 ] || fail "Ready came before the picture of the card (the card stays 2.5 s)"
wait_for_line ogre.log "$READY" || fail "the card never gave way to Ready"
wait_for_line ogre.log "$GO" || fail "play never began at Go"
for _ in $(seq 20); do
  game_shot playing "$GO"
  [ "$(differs_in card playing "$CLOCK")" -gt 30 ] && break
done
[ "$(differs_in card playing "$CLOCK")" -gt 30 ] || fail "the clock did not run after Go"
[ "$(differs_in card playing "$CARD")" -gt 20000 ] || fail "no start card stood in the middle of the window"

hold r
wait_for_count ogre.log "$LOADED" 2 || fail "R did not restart the level"
game_shot restarted "$GO"
[ "$WHEN_SHOT" -eq 1 ] || fail "Go came before the picture after R (Ready stays a second)"
[ "$(differs_in card restarted "$CLOCK")" -lt 30 ] || fail "the clock did not stand at 00:00 again after R"
[ "$(differs_in playing restarted "$CARD")" -lt 20000 ] || fail "R showed the start card"
wait_for_count ogre.log "$READY" 2 || fail "R did not start at Ready"
wait_for_count ogre.log "$GO" 2 || fail "play did not begin at Go after R"
hold Tab
expect_running "Tab after the level's start"
echo "PASS"
