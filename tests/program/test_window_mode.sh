#!/usr/bin/env bash
# The window's size and full screen change at once in Options: X resizes the
# window, the title screen is laid out anew for it, the pointer reaches its
# buttons, and the choice is saved. Xvfb has no window manager, so full
# screen can only be seen as the window covering the whole screen.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
# A screen larger than the 1024 x 768 window, so that it can grow.
resize_screen 1280x1024x24
cd "$WORK"

# The pointer to $1, $2 inside the window, wherever X has put it; and a click there.
point_at() {
  local left top
  left=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
  top=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
  xdotool mousemove "$((left + $1))" "$((top + $2))"
}
click_window() { point_at "$1" "$2"; sleep 0.3; xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; }

# Where the title screen's panel lies in the window's picture $1, as
# "width height left top": everything that is not the white background.
panel_box() { convert "$WORK/$1.png" -fuzz 5% -trim -format '%w %h %X %Y' info: 2>/dev/null; }
# Whether the panel in $1 is three fifths of the window's width $2 and centred in $2 x $3.
centred() {
  local box w h x y
  box=$(panel_box "$1")
  read -r w h x y <<<"$box"
  x=${x#+}; y=${y#+}
  [ -n "$w" ] && [ $((w - $2 * 60 / 100)) -ge -4 ] && [ $((w - $2 * 60 / 100)) -le 4 ] &&
    [ $((2 * x + w - $2)) -ge -4 ] && [ $((2 * x + w - $2)) -le 4 ] &&
    [ $((2 * y + h - $3)) -ge -8 ] && [ $((2 * y + h - $3)) -le 8 ]
}

start_game
window=$(find_window quillax)
[ "$(window_size "$window")" = 1024x768 ] || fail "the window starts at $(window_size "$window"), not 1024x768"
# The pointer rests inside the title panel at every size used here.
point_at 512 330
shot_until title_before "centred title_before 1024 768" "$window" || fail "the title panel is not centred at 1024 x 768"

# The options panel's places at 1024 x 768: the Video tab and the window size's +.
click_window $OPTIONS_BUTTON
shot_until options '[ "$(differs title_before options)" -gt 100000 ]' "$window" || fail "Options did not open"
click_window 512 121
shot_until video '[ "$(differs options video)" -gt 1000 ]' "$window" || fail "the Video tab did not open its page"
click_window 916 204
wait_for_window_size "$window" 1280x720 || fail "X has the window at $(window_size "$window") after +, not 1280x720"
wait_for_line settings "window_size = 1280 x 720" || fail "the window size was not saved: $(cat settings)"

hold Escape
point_at 640 330
shot_until title_after "centred title_after 1280 720" "$window" ||
  fail "the title panel is not centred in the 1280 x 720 window: $(panel_box title_after)"
keep title_after

# The Options button where the new layout has it; the old one had nothing there.
click_window 539 500
shot_until options_after '[ "$(differs title_after options_after)" -gt 100000 ]' "$window" ||
  fail "the pointer did not reach Options in the 1280 x 720 layout"

# Full screen, from the Video page at 1280 x 720.
click_window 640 114
shot_until video_after '[ "$(differs options_after video_after)" -gt 1000 ]' "$window" ||
  fail "the Video tab did not open its page at 1280 x 720"
keep video_after
click_window 879 239
wait_for_window_size "$window" 1280x1024 || fail "full screen left the window at $(window_size "$window"), not the screen's 1280x1024"
corner=$(xwininfo -id "$window" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} END {print x "," y}')
[ "$corner" = 0,0 ] || fail "the full screen window stands at $corner, not in the corner"
wait_for_line settings "fullscreen = on" || fail "full screen was not saved: $(cat settings)"
wait_for_line ogre.log "The window is 1280 x 1024 now" || fail "the GUI was not told of the full screen size"

hold Escape
quit_from_title
echo "PASS"
