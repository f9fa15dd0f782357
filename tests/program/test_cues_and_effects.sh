#!/usr/bin/env bash
# The game talks back. Heard: with SDL's disk audio driver, the coins the
# ball takes at the start of a straight course stand out above the music, and are gone
# with the effects' volume at 0. Seen: on a course in white fog, "Checkpoint"
# and then "Back to the checkpoint" appear below the middle of the view,
# while the counters at the top left stay as they were.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
export SDL_AUDIODRIVER=disk

# A straight lane in place of level_01 with coins ahead of the start.
own_levels
{
  echo '<Level name="Coins" music="level_01.ogg"><Settings ambient="1 1 1" gravity="0 -100 0"/><Objects>'
  echo '<Object type="start" pos="5 51.5 0"/><Object type="target" pos="5 51.5 -200"/>'
  for z in -25 -45 -65; do echo "<Object type=\"score\" pos=\"5 52 $z\"/>"; done
  for z in $(seq 0 -10 -200); do
    echo "<Object type=\"block\" pos=\"0 50 $z\"/><Object type=\"block\" pos=\"10 50 $z\"/>"
  done
  echo '</Objects></Level>'
} > media/levels/level_01.map

# The loudest 50 ms (RMS, in dB) of the audio while W rolls the ball over
# the lane's first coins, with the settings file $1.
loudest_start() {
  printf '%b\ntitle_scenery = off\n' "$1" > settings
  export SDL_DISKAUDIOFILE="$WORK/audio_$2.raw"
  start_game
  hold Return
  wait_for_line ogre.log "level_01.map: Es wurden" || fail "Return did not start level_01"
  # A key would skip the start card; the ball rolls only from Go on.
  wait_for_line ogre.log "Go: level_01.map" || fail "play did not begin in level_01"
  # The disk driver writes as fast as a sound card plays: its length is the clock.
  local from to
  from=$(stat -c %s "$SDL_DISKAUDIOFILE")
  xdotool keydown w; sleep 1.2; xdotool keyup w
  sleep 0.6
  to=$(stat -c %s "$SDL_DISKAUDIOFILE")
  kill "$APP_PID"
  wait "$APP_PID"
  APP_PID=
  tail -c +$((from / 4 * 4 + 1)) "$SDL_DISKAUDIOFILE" | head -c $(((to - from) / 4 * 4)) > "$WORK/window_$2.raw"
  sox -t raw -r 44100 -e signed -b 16 -c 2 "$WORK/window_$2.raw" -n stats -w 0.05 2>&1 | awk '/RMS Pk dB/ {print $4}'
}

with=$(loudest_start "" heard)
without=$(loudest_start "effects_volume = 0\n" silent)
echo "loudest 50 ms over the first coins: $with dB with effects, $without dB without"
awk -v w="${with:--99}" -v o="${without:--99}" 'BEGIN { exit !(o > -40 && w > o + 3) }' ||
  fail "the coins are not heard above the music ($with dB against $without dB without effects)"

# A straight in white fog: the start, a checkpoint, and the edge to fall from.
{
  echo '<Level name="Cues"><Fog start="0" end="1" colour="1 1 1"/><Settings ambient="1 1 1" gravity="0 -100 0"/><Objects>'
  echo '<Object type="start" pos="5 51.5 0"/><Object type="checkpoint" pos="5 51.5 -30"/>'
  for z in $(seq 0 -10 -70); do
    echo "<Object type=\"block\" pos=\"0 50 $z\"/><Object type=\"block\" pos=\"10 50 $z\"/>"
  done
  echo '</Objects></Level>'
} > media/levels/level_01.map
export SDL_AUDIODRIVER=dummy
start_game
hold Return
wait_for_line ogre.log "level_01.map: Es wurden" || fail "Return did not start the test level"
wait_for_line ogre.log "Go: level_01.map" || fail "play did not begin in the test level"
shot plain 2
xdotool keydown w
for i in $(seq -w 1 30); do
  import -window root "$WORK/cue_$i.png" 2>/dev/null || fail "no screenshot cue_$i"
  sleep 0.1
done
xdotool keyup w

# The cue's panel stands 491 px down, dark on the white scene, as wide as its
# words: which cue it is shows in its width.
seen=""
for i in $(seq -w 1 30); do
  width=$(convert "cue_$i.png" -crop 1024x1+0+496 +repage -colorspace Gray -threshold 60% -negate \
    -format '%[fx:round(mean*w)]' info:)
  if [ "$width" -gt 120 ] && [ "$width" -lt 260 ]; then
    case "$seen" in *checkpoint*) ;; *) seen="$seen checkpoint"; at_checkpoint=$i ;; esac
  elif [ "$width" -ge 260 ]; then
    case "$seen" in *checkpoint*) seen="$seen back"; after_fall=$i ;; esac
  fi
done
echo "cues seen:$seen"
case "$seen" in *checkpoint*back*) ;; *) fail "the cues were not seen in turn (seen:$seen)" ;; esac
for name in plain "cue_$at_checkpoint" "cue_$after_fall"; do keep "$name"; done
for i in "$at_checkpoint" "$after_fall"; do
  changed=$(compare -metric AE -fuzz 5% -extract 120x52+12+12 plain.png "cue_$i.png" null: 2>&1 | cut -d' ' -f1)
  [ "${changed:-1}" -lt 50 ] 2>/dev/null || fail "a cue covers the counters ($changed pixels changed in cue_$i)"
done
hold Tab
sleep 1
quit_from_title
echo "PASS"
