#!/usr/bin/env bash
# A level shared and played through a real leaderboard server on 127.0.0.1.
# An author's add-on level (a copy of level_01 with a comment of its own, so
# a file no shipped level is) and their best run on it (the shipped gold run,
# pointed at the copy: the comment changes no physics) are shared with the
# level selection's Share button; the server replays the run and lists the
# level. Then, with the add-on gone, More levels lists it, and Play fetches
# it into the add-on folder byte for byte and starts it.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
source "$HERE/server_session.sh"
start_online_session

# The replay's level hash: 64-bit FNV-1a of the file's bytes.
fnv_hash() {
  local h=-3750763034362895579 b
  for b in $(od -An -v -tu1 "$1"); do h=$(((h ^ b) * 1099511628211)); done
  printf '%016x' "$h"
}
LEVEL=meadow_copy.map
mkdir -p levels progress/replays
{ cat media/levels/level_01.map; echo "<!-- A copy to share. -->"; } >"levels/$LEVEL"
cp "levels/$LEVEL" shared_original.map
HASH=$(fnv_hash "levels/$LEVEL")
sed -e "s/^level .*/level $LEVEL/" -e "s/^hash .*/hash $HASH/" media/runs/level_01.map.replay \
  >"progress/replays/$LEVEL.replay"
go_online_as Author

start_game
# The fifth campaign, after the four shipped ones, is the add-on's "My levels";
# Return takes its level list with its one level chosen.
click $PLAY_BUTTON
for _ in 1 2 3 4 5; do hold Down; done
hold Return
shot share_offered
keep share_offered
click 865 191
wait_for_line ogre.log "Shared $LEVEL: listed with your time of" ||
  fail "the level was not shared: $(grep -F "$LEVEL" ogre.log | tail -n 3)"
listed() { curl -s "http://127.0.0.1:$PORT/api/v1/shared?order=newest" | grep -q "\"level\":\"$HASH\""; }
poll 100 listed || fail "the server does not list the shared level"
curl -s "http://127.0.0.1:$PORT/api/v1/levels/$HASH/top" | grep -q '"player":"Author"' ||
  fail "the author's run is not on the shared level's own board"

# Another player's machine: no add-on, no best run.
rm "levels/$LEVEL" "progress/replays/$LEVEL.replay"
click $BACK_BUTTON
sleep 1
click $MORE_LEVELS_BUTTON
wait_for_line ogre.log "1 shared level" || fail "More levels did not list the shared level"
shot more_levels
keep more_levels
click $START_BUTTON
wait_for_line ogre.log "Fetched $LEVEL by Author into your add-on levels" || fail "Play did not fetch the level"
cmp -s "levels/$LEVEL" shared_original.map || fail "the fetched level differs from the shared one"
wait_for_line ogre.log "$LEVEL: Es wurden 2 Lichter erstellt." || fail "the fetched level did not start"
expect_running "a fetched shared level started"
curl -s "http://127.0.0.1:$PORT/api/v1/shared?order=played" | grep -q '"plays":1' ||
  fail "the server did not count the play"
echo "PASS"
