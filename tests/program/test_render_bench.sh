#!/usr/bin/env bash
# The render benchmark through its wrapper, a few seconds on level_01.map at
# 640 x 480: a header with the size and the settings, a row for the level
# with five numbers, a screenshot of the size asked for, config.cfg as it
# was. --set bloom=off is taken and shown; a setting the game does not know
# ends the benchmark. How fast it ran is never judged.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
# The wrapper runs the benchmark in <build>/run: here a copy of the runnable folder.
mkdir "$SCRATCH/build"
cp -a "$RUN_DIR" "$SCRATCH/build/run"
WORK=$SCRATCH/build/run
rm -f "$WORK/ogre.log"
config_before=$(md5sum <"$WORK/config.cfg")
bench() { QUILLAX_BUILD=$SCRATCH/build bash "$HERE/../../bench/render_bench.sh" --size 640x480 --warmup 5 --frames 20 "$@"; }

bench --set bloom=off --screenshot "$SCRATCH/shots" level_01.map >"$SCRATCH/out.txt" 2>"$SCRATCH/err.txt" ||
  fail "exit code $?; stderr: $(cat "$SCRATCH/err.txt")"
grep -q '^# .*640x480.*bloom=off' "$SCRATCH/out.txt" || fail "no header with the size and bloom=off: $(cat "$SCRATCH/out.txt")"
row=$(grep -v '^#' "$SCRATCH/out.txt")
number='[0-9]+(\.[0-9]+)?'
[[ $row =~ ^level_01\.map(\ +$number){5}$ ]] || fail "not a row of five numbers for level_01.map: $row"
[ "$(identify -format '%wx%h' "$SCRATCH/shots/level_01.png" 2>/dev/null)" = 640x480 ] ||
  fail "no 640 x 480 screenshot of the first timed frame"
[ "$(md5sum <"$WORK/config.cfg")" = "$config_before" ] || fail "config.cfg was rewritten"

bench --set no_such_setting=on level_01.map >"$SCRATCH/out.txt" 2>"$SCRATCH/err.txt" && fail "an unknown setting was taken"
grep -q no_such_setting "$SCRATCH/err.txt" || fail "the refusal does not name the setting: $(cat "$SCRATCH/err.txt")"
echo "PASS"
