#!/usr/bin/env bash
# The info box banner over the worst scene for light text (everything white),
# in windows 800, 1024 and 1920 pixels wide: it sits below the heads-up
# display, which stays as it was; its backing is dark; a 140-character line
# is wrapped inside the window (two lines at 800, one at 1920) and never
# runs past the banner's right edge; after the ball leaves, it goes.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
resize_screen 1920x1080x24
cd "$WORK"

# A level of our own under the quick start's name: the ball starts inside the
# info box, on a long straight path, in white fog.
own_levels
line="Roll the ball with W, A, S and D. Move the mouse to turn the camera; the wheel lifts it. Coins add to your score. Now reach the flag quickly"
[ "${#line}" -eq 140 ] || fail "the test line has ${#line} characters, not 140"
{
  echo '<Level name="Sign"><Fog start="0" end="1" colour="1 1 1"/><Settings ambient="1 1 1" gravity="0 -100 0"/><Objects>'
  echo '<Object type="start" pos="5 51.5 0"/>'
  echo "<Object type=\"infobox\" pos=\"5 51 0\">$line</Object>"
  for z in $(seq 0 -10 -300); do
    echo "<Object type=\"block\" pos=\"0 50 $z\"/><Object type=\"block\" pos=\"10 50 $z\"/>"
  done
  echo '</Objects></Level>'
} > media/levels/level_01.map

hold() { xdotool keydown "$1"; sleep "${2:-0.25}"; xdotool keyup "$1"; }
mean() { convert "$WORK/$1.png" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:; }
# Whether the banner in banner_$width stands whole: its dark backing and its light text.
banner_shown() {
  awk -v m="$(mean "banner_$width" "$((width - 60))x4+30+79")" 'BEGIN { exit !(m < 0.25) }' &&
    [ "$(light_text "banner_$width")" -gt 300 ]
}
# Whether plain_$width shows the white scene where the banner was.
banner_gone() { awk -v m="$(mean "plain_$width" "200x40+$((width / 2 - 100))+80")" 'BEGIN { exit !(m > 0.9) }'; }
# Number of light pixels in the banner's text line of the picture $1.
light_text() {
  convert "$WORK/$1.png" -crop "$((width - 60))x24+30+88" +repage -colorspace Gray -threshold 75% \
    -format '%[fx:mean*w*h]' info: | cut -d. -f1
}
# Number of dark pixels in a one pixel wide column of the picture $1 at x = $2
# from y = 64 down: the height of the banner's backing there.
dark_run() {
  convert "$WORK/$1.png" -crop "1x300+$2+64" +repage -colorspace Gray -threshold 40% \
    -format '%[fx:(1-mean)*h]' info: | cut -d. -f1
}

for size in 800x600 1024x768 1920x1080; do
  width=${size%x*}
  height=${size#*x}
  set_video_mode "$width" "$height"
  rm -f ogre.log
  ./quillax >stdout.txt 2>stderr.txt &
  APP_PID=$!
  window=$(find_window quillax) || fail "no window at $size; stderr: $(cat stderr.txt)"
  wait_for_line ogre.log "***Spielzustand game wurde erfoglreich registriert***" || fail "states not registered"
  # Keys go to the window under the pointer; the window is centred on the screen.
  left=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
  top=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
  xdotool mousemove "$((left + 20))" "$((top + height - 20))"
  sleep 2
  hold Return
  wait_for_line ogre.log "level_01.map: Es wurden" || fail "Return did not start the test level at $size"
  shot_until "banner_$width" banner_shown "$window" || fail "no banner over the level at $size"
  # Away from the box: the banner stays a while (ten seconds for this text),
  # then fades out.
  hold w 1.5
  shot_until "plain_$width" banner_gone "$window" || fail "the banner stayed after leaving the box at $size"
  [ -n "${KEEP_SCREENSHOTS:-}" ] && cp "$WORK/banner_$width.png" "$KEEP_SCREENSHOTS/"
  hold Tab
  sleep 1
  quit_from_title

  # The display's coin counter looks the same with and without the banner.
  changed=$(compare -metric AE -fuzz 5% -extract 120x52+12+12 "banner_$width.png" "plain_$width.png" null: 2>&1 |
    cut -d' ' -f1)
  [ "${changed:-1}" -lt 50 ] 2>/dev/null || fail "the banner covers the display at $size ($changed pixels changed)"
  # The scene is white, the banner's backing dark, its text light: as banner_shown and banner_gone waited for.
  # Nothing past the text's right margin: the banner ends before the window's edge.
  awk -v m="$(mean "banner_$width" "8x20+$((width - 22))+90")" 'BEGIN { exit !(m < 0.25) }' ||
    fail "text runs into the banner's right edge at $size"
  awk -v m="$(mean "banner_$width" "6x20+$((width - 6))+90")" 'BEGIN { exit !(m > 0.9) }' ||
    fail "the banner reaches the window's edge at $size"
  eval "banner_height_$width=$(dark_run "banner_$width" 20)"
done

# Two lines where 140 characters do not fit in one, one line where they do.
[ "$banner_height_800" -gt "$((banner_height_1920 + 15))" ] ||
  fail "the banner is $banner_height_800 pixels high at 800 and $banner_height_1920 at 1920: not wrapped"
echo "PASS"
