#!/usr/bin/env bash
# Usage: bash bench/render_bench.sh [--size WxH] [--frames N] [--warmup N] [--set key=value]...
#                                   [--screenshot DIR] [level.map...]
# The render benchmark (render_bench.cpp) on a private Xvfb whose screen fits
# the window: one row of figures per level, every level of the campaign index
# unless levels are named. QUILLAX_BUILD names the build folder (build/release
# of this source tree by default); the benchmark runs from its runnable folder
# and reads, but never writes, config.cfg and the settings there.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=${QUILLAX_BUILD:-$here/../build/release}
bench=$build/run/render_bench
[ -x "$bench" ] || { echo "render_bench.sh: $bench is missing; build it with: cmake --build $build --target render_bench" >&2; exit 2; }

screen=800x600
previous=
for word in "$@"; do
  [ "$previous" = --size ] && screen=$word
  previous=$word
done
# render_bench itself turns down a size it cannot use.
[[ $screen =~ ^[0-9]+x[0-9]+$ ]] || screen=800x600

source "$here/../tests/program/xvfb_session.sh"
start_xvfb "${screen}x24"
trap stop_xvfb EXIT
# No sound card to wait for, no configuration dialog nobody can answer.
SDL_AUDIODRIVER=dummy QUILLAX_NO_DIALOG=1 "$bench" "$@"
