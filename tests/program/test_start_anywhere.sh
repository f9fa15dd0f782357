#!/usr/bin/env bash
# The game and mapscout find their data from where the executable lies, not
# from the folder they are started in, and put the player's files where the
# rule says: a copy of the runnable folder keeps config.cfg, ogre.log and
# screenshots/ in itself; an installed layout (<prefix>/games with its data in
# <prefix>/share/games/quillax) puts them in the XDG folders of a fresh HOME.
# Neither writes into the folder it was started from.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
START=$(mktemp -d)
PREFIX=$(mktemp -d)
trap 'end_session; rm -rf "$START" "$PREFIX"' EXIT
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_STATE_HOME

# Starts the program $1 (with the argument $2) from $START with the home
# folder $HOME, and waits for its window titled $3 and the line $4 in the log
# $5.
launch() {
  (cd "$START" && exec "$1" ${2:+"$2"} >"$WORK/stdout.txt" 2>"$WORK/stderr.txt") &
  APP_PID=$!
  window=$(find_window "$3") || fail "no window titled $3 from $1; stderr: $(cat "$WORK/stderr.txt")"
  wait_for_line "$5" "$4" || fail "$5 lacks: $4; stderr: $(cat "$WORK/stderr.txt")"
}
# Many colours in the screen: the title screen, not a black or empty window.
colours() { convert "$WORK/$1.png" -format '%k' info:; }
nothing_in_start() { [ -z "$(ls -A "$START")" ] || fail "files in the start folder: $(ls -A "$START")"; }

# --- A copy of the runnable folder: everything stays in it. ---
export HOME=$(mktemp -d)
launch "$WORK/quillax" "" quillax "***Spielzustand game wurde erfoglreich registriert***" "$WORK/ogre.log"
xdotool mousemove 300 700
shot developer_title 3
[ "$(colours developer_title)" -gt 200 ] || fail "no title screen from the runnable folder copy"
hold Print
for _ in $(seq 50); do [ -f "$WORK/screenshots/screenshot_1.png" ] && break; sleep 0.1; done
[ -f "$WORK/screenshots/screenshot_1.png" ] || fail "Print Screen wrote nothing into the runnable folder"
close_and_expect_clean_exit "$window"
nothing_in_start
[ -z "$(ls -A "$HOME")" ] || fail "a developer's run wrote into HOME: $(find "$HOME")"
rm -rf "$HOME"

# --- The installed layout: the player's files go to the XDG folders. ---
mkdir -p "$PREFIX/games" "$PREFIX/share/games/quillax"
mv "$WORK/quillax" "$WORK/mapscout" "$PREFIX/games/"
cp -a "$WORK/plugins.cfg" "$WORK/resources.cfg" "$WORK/config.cfg" "$WORK/media" "$PREFIX/share/games/quillax/"
DATA=$PREFIX/share/games/quillax
export HOME=$(mktemp -d)
STATE=$HOME/.local/state/quillax
# Still, as the developer's title above was: the scenery behind it is another test's.
mkdir -p "$HOME/.config/quillax"
cp "$WORK/settings" "$HOME/.config/quillax/settings"
launch "$PREFIX/games/quillax" "" quillax "***Spielzustand game wurde erfoglreich registriert***" "$STATE/ogre.log"
xdotool mousemove 300 700
shot installed_title 3
[ "$(differs developer_title installed_title)" -lt 20000 ] || fail "the installed game shows no title screen"
hold Print
SHOTS=$HOME/.local/share/quillax/screenshots
for _ in $(seq 50); do [ -f "$SHOTS/screenshot_1.png" ] && break; sleep 0.1; done
[ -f "$SHOTS/screenshot_1.png" ] || fail "Print Screen wrote nothing into $SHOTS: $(find "$HOME")"
close_and_expect_clean_exit "$window"
cmp -s "$HOME/.config/quillax/config.cfg" "$DATA/config.cfg" || fail "config.cfg was not copied into the config folder"
nothing_in_start
[ ! -e "$DATA/ogre.log" ] && [ ! -e "$DATA/screenshots" ] || fail "the installed game wrote into its data folder"

# mapscout: its argument is still a file name under media/levels/, and
# absolute XDG folders are honoured.
export XDG_STATE_HOME=$HOME/state XDG_DATA_HOME=$HOME/data
launch "$PREFIX/games/mapscout" level_01.map level_01.map "level_01.map: Es wurden 2 Lichter erstellt." \
  "$XDG_STATE_HOME/quillax/ogre.log"
sleep 3
hold Print
wait_for_line "$WORK/stdout.txt" "Saved $XDG_DATA_HOME/quillax/screenshots/screenshot_1.png" ||
  fail "mapscout said: $(cat "$WORK/stdout.txt")"
close_and_expect_clean_exit "$window"
nothing_in_start
[ ! -e "$STATE/ogre.log" ] || [ "$(grep -c level_01.map "$STATE/ogre.log")" -eq 0 ] ||
  fail "mapscout wrote into the default state folder despite XDG_STATE_HOME"
echo "PASS"
