#!/usr/bin/env bash
# Takes the README's screenshots from the real game on a private Xvfb display:
# the title screen, the level selection, play with the display, and the
# completed screen, written half size into docs/screenshots/.
# Usage: scripts/readme-screenshots.sh [RUN_DIR]   (build/release/run by default)
set -euo pipefail
cd "$(dirname "$0")/.."
run_dir=$(cd "${1:-build/release/run}" && pwd)
out=$(pwd)/docs/screenshots
mkdir -p "$out"

display=:97
Xvfb $display -screen 0 1024x768x24 +extension GLX -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill $game $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display SDL_AUDIODRIVER=dummy QUILLAX_NO_DIALOG=1
sleep 1
cp -a "$run_dir"/. "$work"/
# The completed screen comes from the first level with its flag moved onto
# the opening straight, so a few seconds of W reach it.
rm "$work/media/levels" && cp -rL "$run_dir/media/levels" "$work/media/levels"
sed -i 's|<Object type="target" pos="[^"]*"|<Object type="target" pos="5 51 -75"|' "$work/media/levels/level_01.map"

click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; }
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }
park() { xdotool mousemove 1023 767; sleep 0.5; }
shot() { import -window root "$work/$1.png"; convert "$work/$1.png" -resize 50% "$out/$1.png"; }

cd "$work"
./quillax >/dev/null 2>&1 &
game=$!
sleep 6
park
shot title
click 510 453
sleep 2
park
shot selection
click 833 679
# The level opens with its start card and Ready: the ball rolls from Go on.
for _ in $(seq 300); do grep -q -s "Go: level_01.map" ogre.log && break; sleep 0.1; done
hold w 1.2
sleep 0.6
shot play
hold w 2.5
sleep 4
park
shot completed
echo "written: $(ls "$out")"
