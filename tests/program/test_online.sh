#!/usr/bin/env bash
# Online play through a real leaderboard server on 127.0.0.1 (a free port,
# its data in a folder of its own, stopped when the test ends, pass or
# fail). A finished run of level_01 waits in the game's queue, as one made
# while the server was down would: the shipped gold run, which the route
# optimiser made on today's level_01, so the test holds for any layout of
# it. The game sends it at start, the server ranks it (its top list, asked
# with curl, shows it), the level selection shows the player's rank, and a
# second game races the run as the world record's ghost.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
source "$HERE/server_session.sh"
start_online_session

RUN=media/runs/level_01.map.replay
HASH=$(awk '$1 == "hash" {print $2; exit}' "$RUN")
go_online_as Tester
{ printf 'quillax online queue 1\nrun %s level_01.map\n' "$(stat -c %s "$RUN")"; cat "$RUN"; } >online_queue

# The level selection as it was before online play, for where the board shows.
mv online online.wanted
start_game
click $PLAY_BUTTON
shot selection_offline
click $BACK_BUTTON
sleep 1
quit_from_title
mv online.wanted online
# Each game's own log, so that a line looked for is this game's.
mv ogre.log ogre.offline.log

start_game
wait_for_line ogre.log "The run of level_01.map is World #1" || fail "the queued run was not ranked"
listed() { curl -s "http://127.0.0.1:$PORT/api/v1/levels/$HASH/top?n=10" | grep -q '"player":"Tester"'; }
poll 200 listed || fail "the run is not in the server's top list"
[ "$(cat online_queue)" = "quillax online queue 1" ] || fail "the sent run stayed in the queue"
[ "$(stat -c %a online_secret)" = 600 ] || fail "the secret is not the player's alone"
click $PLAY_BUTTON
wait_for_line ogre.log "World top 10 of level_01.map: Tester is #1 of 1" || fail "the level selection shows no rank"
wait_for_line ogre.log "of level_01.map is here" || fail "the world record's run did not come"
shot selection_online
keep selection_online
# The board stands where the description was: 600 x 150 pixels of the panel.
convert selection_offline.png -crop 600x150+352+430 +repage a.png
convert selection_online.png -crop 600x150+352+430 +repage b.png
[ "$(compare -metric AE -fuzz 3% a.png b.png null: 2>&1 | cut -d' ' -f1)" -gt 2000 ] ||
  fail "the level selection does not show the world top list"
click $BACK_BUTTON
sleep 1
quit_from_title
mv ogre.log ogre.first.log

# Again, racing the world record.
start_game
click $PLAY_BUTTON
wait_for_line ogre.log "of level_01.map is here" || fail "the world record's run did not come again"
sleep 1
# "Race: gold run" (no best of one's own yet), then the world record.
click 498 615
sleep 1
click $START_BUTTON
wait_for_line ogre.log "level_01.map: racing the world record" || fail "the world record is not raced as the ghost"
expect_running "racing the world record"
echo "PASS"
