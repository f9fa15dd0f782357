#!/usr/bin/env bash
# The title screen's benchmark through its script, one short run of each
# setting: a header, then a row for the scenery on and one for off, each
# with six numbers; the runnable folder is left as it was. How much it
# cost is never judged.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
SCRATCH=$(mktemp -d)
WORK=$SCRATCH
trap 'rm -rf "$SCRATCH"' EXIT
mkdir "$SCRATCH/build"
cp -a "$RUN_DIR" "$SCRATCH/build/run"
before=$(ls -A "$SCRATCH/build/run" | md5sum)

QUILLAX_BUILD=$SCRATCH/build bash "$HERE/../../bench/title_idle.sh" --seconds 1 --runs 1 \
  >"$SCRATCH/out.txt" 2>"$SCRATCH/err.txt" || fail "exit code $?; stderr: $(cat "$SCRATCH/err.txt")"
grep -q '^# title screen at rest, 1024x768' "$SCRATCH/out.txt" || fail "no header: $(cat "$SCRATCH/out.txt")"
number='[0-9]+\.[0-9]'
for setting in on off; do
  row=$(grep "^$setting " "$SCRATCH/out.txt")
  [[ $row =~ ^$setting(\ +$number){6}$ ]] || fail "not a row of six numbers for $setting: $row"
done
[ "$(ls -A "$SCRATCH/build/run" | md5sum)" = "$before" ] || fail "the benchmark left files in the runnable folder"
bash "$HERE/../../bench/title_idle.sh" --runs x >/dev/null 2>&1 && fail "--runs x was taken"
echo "PASS"
