#!/usr/bin/env bash
# Usage: bash bench/title_idle.sh [--size WxH] [--seconds N] [--runs N]
# What the title screen costs at rest, with the level behind the menus and
# without it (title_scenery = on, off): the game in a copy of the runnable
# folder on a private Xvfb whose screen fits the window (Mesa's llvmpipe
# draws), the title screen left alone with the pointer still. Once the
# scenery is up and five seconds have passed, the CPU time the game and the
# X server spend in N seconds (20) is read from /proc, as a share of one
# core. Each setting runs R times (3), one after the other; a row per
# setting gives the lowest, the median and the highest. QUILLAX_BUILD names
# the build folder (build/release of this source tree by default).
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=${QUILLAX_BUILD:-$here/../build/release}
[ -x "$build/run/quillax" ] || { echo "title_idle.sh: $build/run/quillax is missing; build it with: bash scripts/build.sh release quillax" >&2; exit 2; }

size=1024x768 seconds=20 runs=3
while [ $# -gt 0 ]; do
  case "$1" in
    --size) size=$2 ;;
    --seconds) seconds=$2 ;;
    --runs) runs=$2 ;;
    *) echo "usage: bash bench/title_idle.sh [--size WxH] [--seconds N] [--runs N]" >&2; exit 2 ;;
  esac
  shift 2 || { echo "title_idle.sh: $1 needs a value" >&2; exit 2; }
done
[[ $size =~ ^[0-9]+x[0-9]+$ && $seconds =~ ^[1-9][0-9]*$ && $runs =~ ^[1-9][0-9]*$ ]] ||
  { echo "title_idle.sh: cannot use --size $size --seconds $seconds --runs $runs" >&2; exit 2; }

source "$here/../tests/program/xvfb_session.sh"
scratch=$(mktemp -d)
game=
finish() {
  [ -n "$game" ] && kill -9 "$game" 2>/dev/null && wait "$game" 2>/dev/null
  stop_xvfb
  rm -rf "$scratch"
}
trap finish EXIT
start_xvfb "${size}x24"
ticks=$(getconf CLK_TCK)

# CPU time of the process $1 so far, in clock ticks (user and system).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# One run with the setting $1: adds the game's and the X server's share of
# one core in percent to $scratch/$1.txt.
measure() {
  local work=$scratch/run
  rm -rf "$work"
  cp -a "$build/run" "$work"
  rm -f "$work/ogre.log"
  sed -i "s/^Video Mode=.*/Video Mode=${size%x*} x ${size#*x}/" "$work/config.cfg"
  echo "title_scenery = $1" >"$work/settings"
  (cd "$work" && SDL_AUDIODRIVER=dummy QUILLAX_NO_DIALOG=1 exec ./quillax >/dev/null 2>&1) &
  game=$!
  # The title screen is up once the game has made its states and, with the
  # scenery on, built it.
  local ready="***Spielzustand game wurde erfoglreich registriert***"
  [ "$1" = on ] && ready="The title screen shows"
  for _ in $(seq 600); do grep -q -s -F -- "$ready" "$work/ogre.log" && break; sleep 0.1; done
  grep -q -s -F -- "$ready" "$work/ogre.log" || { echo "title_idle.sh: the title screen did not come up" >&2; exit 1; }
  xdotool mousemove 0 0
  sleep 5
  local game_before x_before game_after x_after
  game_before=$(cpu_ticks "$game") x_before=$(cpu_ticks "$XVFB_PID")
  sleep "$seconds"
  game_after=$(cpu_ticks "$game") x_after=$(cpu_ticks "$XVFB_PID")
  kill "$game" 2>/dev/null
  wait "$game" 2>/dev/null
  game=
  awk -v g=$((game_after - game_before)) -v x=$((x_after - x_before)) -v t="$ticks" -v s="$seconds" \
    'BEGIN { printf "%.1f %.1f\n", 100 * g / t / s, 100 * x / t / s }' >>"$scratch/$1.txt"
}

# The lowest, median and highest of the numbers on standard input.
spread() { sort -n | awk '{ v[NR] = $1 } END { printf "%6.1f %6.1f %6.1f", v[1], v[int((NR + 1) / 2)], v[NR] }'; }

echo "# title screen at rest, $size, $seconds s a run, $runs runs; % of one core: lowest median highest"
echo "# title_scenery   game                    X server"
for setting in on off; do
  for _ in $(seq "$runs"); do measure "$setting"; done
  printf "%-16s %s    %s\n" "$setting" "$(cut -d' ' -f1 "$scratch/$setting.txt" | spread)" \
    "$(cut -d' ' -f2 "$scratch/$setting.txt" | spread)"
done
