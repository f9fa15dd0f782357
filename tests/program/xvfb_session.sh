# Shared by the program tests: a private Xvfb display and a copy of the
# runnable folder, both removed when the test ends.
# Usage: source this with RUN_DIR set; it sets DISPLAY and WORK.

# Starts a private Xvfb with a screen of $1 and points DISPLAY at it. Xvfb
# picks a free display number itself (-displayfd): choosing one by its lock
# files raced with a server still shutting down, whose display then vanished
# under the program being tested. -noreset: a server that resets when its
# last client leaves refuses the next program's connection for a moment.
start_xvfb() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -noreset -screen 0 "$1" +extension GLX -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  # A loaded machine can take a while to bring Xvfb up.
  for _ in $(seq 300); do [ -s "$number_file" ] && break; sleep 0.1; done
  local n
  n=$(head -n 1 "$number_file")
  rm -f "$number_file"
  [ -n "$n" ] || { echo "FAIL: Xvfb did not come up" >&2; exit 1; }
  export DISPLAY=":$n"
  xdpyinfo >/dev/null 2>&1 || { echo "FAIL: Xvfb on $DISPLAY does not answer" >&2; exit 1; }
}

stop_xvfb() {
  kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null
}

start_session() {
  start_xvfb 1024x768x24
  WORK=$(mktemp -d)
  cp -a "$RUN_DIR"/. "$WORK"/
  rm -f "$WORK/ogre.log"
  # The level circling behind the menus would change every screenshot a test
  # compares; the tests of that scenery write settings of their own.
  echo "title_scenery = off" >"$WORK/settings"
  export SDL_AUDIODRIVER=dummy QUILLAX_NO_DIALOG=1
  trap end_session EXIT
}

end_session() {
  [ -n "${APP_PID:-}" ] && kill -9 "$APP_PID" 2>/dev/null
  stop_xvfb
  rm -rf "$WORK"
}

# Prints the id of the top-level window titled $1, waiting up to 20 s.
find_window() {
  local id
  for _ in $(seq 200); do
    id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$1\"" | awk '{print $1}' | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Runs the command $2... every tenth of a second until it succeeds, at most
# $1 times; false when it never did.
poll() {
  local tries=$1
  shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Waits up to 20 s for a line in the file $1 that holds the text $2.
wait_for_line() { poll 200 grep -q -s -F -- "$2" "$1"; }

# Waits up to 20 s for the file $1 to exist.
wait_for_file() { poll 200 test -e "$1"; }

# Waits up to 30 s until the file $1 holds at least $2 bytes.
holds_bytes() { [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -ge "$2" ]; }
wait_for_size() { poll 300 holds_bytes "$1" "$2"; }

# Expects the program ($APP_PID) to end within 10 s with exit code $1; $2
# says what should have ended it.
expect_exit() {
  for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$APP_PID" 2>/dev/null && fail "the program did not end after $2"
  wait "$APP_PID"
  local status=$?
  APP_PID=
  [ "$status" -eq "$1" ] || fail "exit code $status after $2; stderr: $(cat "$WORK/stderr.txt")"
}

# Closes the window $1 as a window manager would and expects the program
# ($APP_PID) to end with exit code 0.
close_and_expect_clean_exit() {
  "$RUN_DIR/../tests/close_window" "$1"
  expect_exit 0 "closing its window"
}

fail() {
  echo "FAIL: $*" >&2
  [ -f "$WORK/ogre.log" ] && { echo "--- last lines of ogre.log:" >&2; tail -n 15 "$WORK/ogre.log" >&2; }
  exit 1
}

# --- Driving the game like a player (screen positions for 1024 x 768). ---

# Starts the game in $WORK and waits for its title screen, with the pointer
# parked on the white margin where it covers nothing.
start_game() {
  ./quillax >stdout.txt 2>stderr.txt &
  APP_PID=$!
  find_window quillax >/dev/null || fail "no window; stderr: $(cat stderr.txt)"
  wait_for_line ogre.log "***Spielzustand game wurde erfoglreich registriert***" || fail "states not registered"
  xdotool mousemove 300 700
  # The title screen has hundreds of colours; an empty or black window has a few.
  shot_until started '[ "$(convert "$WORK/started.png" -format %k info:)" -gt 500 ]' ||
    fail "the title screen did not appear"
}

# A screenshot of the display into $WORK/$1.png, after $2 s (1.5 by default).
shot() { sleep "${2:-1.5}"; import -window root "$WORK/$1.png" 2>/dev/null || fail "no screenshot $1"; }
# Copies the screenshot $1 to $KEEP_SCREENSHOTS, when set, to look at.
keep() { [ -n "${KEEP_SCREENSHOTS:-}" ] && cp "$WORK/$1.png" "$KEEP_SCREENSHOTS/$1.png"; return 0; }
# How many pixels of the screenshots $1 and $2 differ.
differs() { compare -metric AE -fuzz 3% "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 | cut -d' ' -f1; }
click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; }
# A key held for a quarter of a second: several frames at any frame rate.
hold() { xdotool keydown "$1"; sleep 0.25; xdotool keyup "$1"; }

# Waits up to 20 s until the file $1 holds the text $2 on at least $3 lines.
holds_lines() { [ "$(grep -c -F -- "$2" "$1" 2>/dev/null)" -ge "$3" ]; }
wait_for_count() { poll 200 holds_lines "$1" "$2" "$3"; }

# The size of the window $1 as X has it, such as 800x600.
window_size() { xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }

# Waits up to 20 s until X has the window $1 at the size $2 (such as 800x600).
has_window_size() { [ "$(window_size "$1")" = "$2" ]; }
wait_for_window_size() { poll 200 has_window_size "$1" "$2"; }

# Takes screenshots of the display (or of the window $3) into $WORK/$1.png
# until the shell test $2 holds for it, for up to 30 s; false when it never did.
shot_until() {
  for _ in $(seq 60); do
    import -window "${3:-root}" "$WORK/$1.png" 2>/dev/null && eval "$2" && return 0
    sleep 0.5
  done
  return 1
}

# Fails unless the program ($APP_PID) is still running; $1 says after what.
expect_running() {
  sleep 1
  kill -0 "$APP_PID" 2>/dev/null || { APP_PID=; fail "the program ended after $1"; }
}

# The title screen's buttons, the level selection's, and the in-game menu's.
PLAY_BUTTON="512 448"
OPTIONS_BUTTON="431 534"
HELP_BUTTON="592 534"
QUIT_BUTTON="592 620"
MORE_LEVELS_BUTTON="431 620"
BACK_BUTTON="418 679"
START_BUTTON="853 679"
MENU_OPTIONS_BUTTON="511 470"
MENU_MAIN_MENU_BUTTON="511 559"

# Replaces the session's Xvfb by one whose screen is $1 (such as
# 1920x1080x24), for windows larger than the default screen.
resize_screen() {
  stop_xvfb
  start_xvfb "$1"
}

# Replaces the copied runnable folder's link to the shipped levels by a copy
# of them, for a test to change.
own_levels() {
  rm "$WORK/media/levels"
  cp -rL "$RUN_DIR/media/levels" "$WORK/media/levels"
}

# Sets the window size of the copied runnable folder's config.cfg to $1 x $2.
set_video_mode() {
  sed -i "s/^Video Mode=.*/Video Mode=$1 x $2/" "$WORK/config.cfg"
}

# Escape on the title screen, answered Y: the game asks once before it ends,
# and must end with exit code 0.
quit_from_title() {
  local asked
  asked=$(grep -c -F "The title screen asks whether to quit" "$WORK/ogre.log")
  hold Escape
  wait_for_count "$WORK/ogre.log" "The title screen asks whether to quit" $((asked + 1)) ||
    fail "Escape on the title screen did not ask whether to quit"
  xdotool key y
  expect_exit 0 "Escape and Y on the title screen"
}
