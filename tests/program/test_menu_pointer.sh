#!/usr/bin/env bash
# The pointer the menus draw sits where the real pointer is: while it moves on
# the title screen, and when the title screen comes back after a level, before
# the mouse has moved again.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"

# The top-left corner of what is drawn on white in the 100 x 100 box around
# $2,$3 of screenshot $1, as "x y"; the pointer's tip is one pixel inside it.
drawn_at() {
  convert "$WORK/$1.png" -crop "100x100+$(($2 - 50))+$(($3 - 50))" -fuzz 3% -trim \
    -format "%[fx:page.x] %[fx:page.y]" info: 2>/dev/null
}
near() { [ "$1" -ge $(($2 - 1)) ] && [ "$1" -le $(($2 + 1)) ]; }

start_game
xdotool mousemove 150 150
shot moved
read -r x y < <(drawn_at moved 150 150)
near "$((x + 1))" 150 && near "$((y + 1))" 150 ||
  fail "the pointer is drawn with its tip at ${x:-?}+1,${y:-?}+1 while the real pointer is at 150,150"

# A level from the level selection, left through the in-game menu: the title
# screen is made anew.
click $PLAY_BUTTON
sleep 1.5
click $START_BUTTON
wait_for_line ogre.log "level_01.map: Es wurden 2 Lichter erstellt." || fail "Start did not load level_01"
sleep 2
hold Escape
sleep 2.5
click $MENU_MAIN_MENU_BUTTON
shot returned 2.5
[ "$(convert "$WORK/returned.png" -crop 32x32+0+0 -fuzz 3% -fill black +opaque white -format '%[fx:mean]' info:)" = 1 ] ||
  fail "the pointer is drawn in the top-left corner after leaving the level"
# Moving away and back makes the menus learn the position anew: the picture
# around the pointer must already have been the same.
xdotool mousemove_relative -- 60 40
sleep 0.5
xdotool mousemove $MENU_MAIN_MENU_BUTTON
shot moved_back
read -r px py <<< "$MENU_MAIN_MENU_BUTTON"
around="64x64+$((px - 16))+$((py - 16))"
convert "$WORK/returned.png" -crop "$around" +repage "$WORK/returned_around.png"
convert "$WORK/moved_back.png" -crop "$around" +repage "$WORK/moved_back_around.png"
changed=$(differs returned_around moved_back_around)
[ "${changed:-999}" -lt 20 ] || fail "the pointer was not drawn at the real pointer when the title screen came back ($changed pixels differ)"

click $QUIT_BUTTON
expect_exit 0 "Quit"
echo "PASS"
