#!/usr/bin/env bash
# Levels a player adds to levels/ in the data folder (the runnable folder's
# copy, in a developer's run): their campaign is listed after the shipped
# ones and its level plays, in the game and in mapscout; an add-on named as
# a shipped level is hidden, with a log line, and the shipped level is the
# one that plays.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"

add_level() {
  echo "<Level name=\"$2\"><Description>Added.</Description><Settings gravity=\"0 -100 0\"/><Objects>
<Object type=\"start\" pos=\"0 100 0\"/><Object type=\"block\" pos=\"0 99 0\"/><Object type=\"target\" pos=\"0 100 -40\"/>
</Objects></Level>" > "levels/$1"
}
mkdir -p levels
add_level my_first.map "My first"
add_level my_second.map "My second"
add_level level_01.map "Not the shipped one"
echo '<Campaigns><Campaign name="Added campaign"><Levels>
<Level filename="my_first.map"/><Level filename="my_second.map"/><Level filename="../media/levels/level_02.map"/>
</Levels></Campaign></Campaigns>' > levels/added.cmp

start_game
# The quick start plays the shipped level_01, which has two lights.
hold Return
wait_for_line ogre.log "level_01.map: Es wurden" || fail "Return did not start level_01"
grep -q "level_01.map: Es wurden 2 Lichter erstellt." ogre.log || fail "the add-on level_01 played, not the shipped one"
hold Tab
sleep 2

hold Down
hold Return
wait_for_line ogre.log "levels/level_01.map: level_01.map is hidden: the game ships a level of the same name" ||
  fail "the hidden add-on was not logged"
wait_for_line ogre.log "levels/added.cmp:2: \"../media/levels/level_02.map\" refused" ||
  fail "the path out of the add-on folder was not refused"
# The fifth campaign, after the four shipped ones, is the add-on's: Return takes
# its level list, Down its second level.
for _ in 1 2 3 4 5; do hold Down; done
hold Return
sleep 0.5
shot added
keep added
hold Down
hold Return
wait_for_line ogre.log "my_second.map: Es wurden 3 Objekte erstellt." || fail "the add-on campaign's level did not start"
expect_running "an add-on level started"
kill "$APP_PID"
wait "$APP_PID"
APP_PID=

# mapscout opens an add-on by its name too.
./mapscout my_first.map >stdout.txt 2>stderr.txt &
APP_PID=$!
find_window my_first.map >/dev/null || fail "mapscout opened no window for the add-on; stderr: $(cat stderr.txt)"
wait_for_line ogre.log "my_first.map: Es wurden 3 Objekte erstellt." || fail "mapscout did not build the add-on level"
# Keys go to the window under the pointer.
xdotool mousemove 512 384
sleep 2
hold Escape
expect_exit 0 "Escape in mapscout"
echo "PASS"
