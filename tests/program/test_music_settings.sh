#!/usr/bin/env bash
# The settings' music volume and mute reach the music: the title screen's
# music at a quarter of its volume, and none at all when switched off.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"
export SDL_AUDIODRIVER=disk

# The RMS amplitude of the title screen's music with the settings file $1.
music_level() {
  printf '%b\ntitle_scenery = off\n' "$1" > settings
  export SDL_DISKAUDIOFILE="$WORK/audio_$2.raw"
  start_game
  # Two seconds of music: 44100 frames of two 16-bit samples each a second.
  wait_for_size "$SDL_DISKAUDIOFILE" 352800 || fail "the music did not play for two seconds"
  quit_from_title
  sox -t raw -r 44100 -e signed -b 16 -c 2 "$SDL_DISKAUDIOFILE" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}'
}

full=$(music_level "" full)
quarter=$(music_level "music_volume = 25\n" quarter)
off=$(music_level "music_volume = 80\nmusic = off\n" off)
awk -v f="${full:-0}" 'BEGIN { exit !(f > 0.01) }' || fail "the music is silent at full volume (RMS ${full:-none})"
awk -v f="$full" -v q="${quarter:-0}" 'BEGIN { exit !(q > 0.15 * f && q < 0.35 * f) }' ||
  fail "music_volume = 25 gave an RMS of ${quarter:-none} against ${full} at full volume"
awk -v o="${off:-1}" 'BEGIN { exit !(o < 0.0005) }' || fail "music = off still plays music (RMS ${off:-none})"
echo "PASS"
