#!/usr/bin/env bash
# Starts an installed quillax and mapscout the way a player does: from a
# folder that is neither the data folder nor the programs', with a fresh HOME
# and no XDG variables. Each shows its window (the game its title screen),
# writes ogre.log and config.cfg into the XDG folders and nothing anywhere
# else, saves Print Screen's picture into the XDG data folder, and ends with
# exit code 0 when its window is closed.
# Usage: check_installed_game.sh PREFIX BUILD_DIR (PREFIX holds games/quillax;
# BUILD_DIR is a release build, for its window-closing helper).
set -u
PREFIX=$1
BUILD_DIR=$2
HERE=$(cd "$(dirname "$0")" && pwd)
EMPTY=$(mktemp -d)
# The session's working folder is a copy of this empty one: the programs start
# where nothing of theirs lies.
RUN_DIR=$EMPTY
source "$HERE/../program/xvfb_session.sh"
start_session
rmdir "$EMPTY"
cd "$WORK"

export HOME="$WORK/home"
mkdir "$HOME"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_STATE_HOME
CONFIG="$HOME/.config/quillax"
STATE="$HOME/.local/state/quillax"
SHOTS="$HOME/.local/share/quillax/screenshots"
OUT="$WORK/out"
mkdir "$OUT" "$WORK/cwd"
cd "$WORK/cwd"
# Name, size and time of every file the programs could write to or beside.
snapshot() { find "$1" -printf '%P %s %T@\n' | LC_ALL=C sort; }
data_before=$(snapshot "$PREFIX/share/games/quillax")
games_before=$(snapshot "$PREFIX/games")

grab() { import -window root "$OUT/$1.png" 2>/dev/null || fail "no screen grab $1"; }
hold() { xdotool keydown "$1"; sleep 0.4; xdotool keyup "$1"; }
close_window() {
  "$BUILD_DIR/tests/close_window" "$1"
  expect_exit 0 "closing its window"
}
# Every file under HOME and the working folder, one a line, sorted; MyGUI's
# own log may sit beside ogre.log.
written() { (cd "$WORK" && find home cwd -type f | grep -v -x home/.local/state/quillax/MyGUI.log | LC_ALL=C sort); }

"$PREFIX/games/quillax" >"$OUT/stdout.txt" 2>"$OUT/stderr.txt" &
APP_PID=$!
window=$(find_window quillax) || fail "no quillax window; stderr: $(cat "$OUT/stderr.txt")"
wait_for_line "$STATE/ogre.log" "***Spielzustand game wurde erfoglreich registriert***" ||
  fail "no ogre.log in $STATE naming the registered states; written: $(written); stderr: $(cat "$OUT/stderr.txt")"
xdotool mousemove 300 700
# The title screen: its picture on the screen, not a black or blank window.
for _ in $(seq 60); do
  grab title
  [ "$(convert "$OUT/title.png" -format '%k' info:)" -gt 500 ] && break
  sleep 0.5
done
[ "$(convert "$OUT/title.png" -format '%k' info:)" -gt 500 ] || fail "the title screen looks empty"
hold Print
for _ in $(seq 50); do [ -f "$SHOTS/screenshot_1.png" ] && break; sleep 0.1; done
[ -f "$SHOTS/screenshot_1.png" ] || fail "Print Screen wrote no $SHOTS/screenshot_1.png; written: $(written)"
close_window "$window"
expected="home/.config/quillax/config.cfg
home/.local/share/quillax/screenshots/screenshot_1.png
home/.local/state/quillax/ogre.log"
[ "$(written)" = "$expected" ] || fail "quillax wrote: $(written)"

"$PREFIX/games/mapscout" level_01.map >"$OUT/scout_out.txt" 2>"$OUT/scout_err.txt" &
APP_PID=$!
window=$(find_window level_01.map) || fail "no mapscout window; stderr: $(cat "$OUT/scout_err.txt")"
wait_for_line "$STATE/ogre.log" "level_01.map: Es wurden 2 Lichter erstellt." ||
  fail "mapscout did not load level_01.map; stderr: $(cat "$OUT/scout_err.txt")"
sleep 2
hold Print
for _ in $(seq 50); do [ -f "$SHOTS/screenshot_2.png" ] && break; sleep 0.1; done
[ -f "$SHOTS/screenshot_2.png" ] || fail "mapscout's Print Screen wrote no screenshot_2.png; written: $(written)"
close_window "$window"
expected=$(printf '%s\n' "$expected" home/.local/share/quillax/screenshots/screenshot_2.png | LC_ALL=C sort)
[ "$(written)" = "$expected" ] || fail "mapscout wrote: $(written)"

[ "$(snapshot "$PREFIX/share/games/quillax")" = "$data_before" ] ||
  fail "the data folder changed: $(diff <(echo "$data_before") <(snapshot "$PREFIX/share/games/quillax"))"
[ "$(snapshot "$PREFIX/games")" = "$games_before" ] ||
  fail "the programs' folder changed: $(diff <(echo "$games_before") <(snapshot "$PREFIX/games"))"
echo "PASS"
