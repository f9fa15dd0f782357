#!/usr/bin/env bash
# Print Screen, in the menu, in a level and in mapscout: each press writes one
# picture under the next free number in screenshots/, an earlier picture
# stays as it was, and "Saved screenshots/screenshot_N.png" shows on screen
# for about two seconds without being in the picture itself (mapscout prints
# it on stdout).
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"

mkdir -p screenshots
convert -size 64x64 xc:red screenshots/screenshot_1.png
before=$(md5sum < screenshots/screenshot_1.png)

start_game

grab() { import -window root "$WORK/$1.png" 2>/dev/null || fail "no screen grab $1"; }
hold() { xdotool keydown "$1"; sleep 0.4; xdotool keyup "$1"; }
# Mean brightness (0 to 1) of the strip where the notice sits, bottom centre.
strip() { convert "$1" -crop 300x30+362+714 +repage -colorspace Gray -format '%[fx:mean]' info:; }
pictures() { ls screenshots | wc -l; }

# In the menu: one press, one new picture; the notice on screen, not in it.
hold Print
wait_for_file screenshots/screenshot_2.png || fail "the press wrote no screenshot_2.png: $(ls screenshots)"
shot_until menu_notice "awk -v m=\"\$(strip menu_notice.png)\" 'BEGIN { exit !(m < 0.4) }'" ||
  fail "no notice on screen after Print Screen"
[ "$(pictures)" -eq 2 ] || fail "one press wrote $(($(pictures) - 1)) pictures: $(ls screenshots)"
[ -f screenshots/screenshot_2.png ] || fail "the picture is not screenshot_2.png: $(ls screenshots)"
[ "$(md5sum < screenshots/screenshot_1.png)" = "$before" ] || fail "screenshot_1.png was overwritten"
awk -v m="$(strip screenshots/screenshot_2.png)" 'BEGIN { exit !(m > 0.9) }' || fail "the notice is in the picture"
shot_until menu_later "awk -v m=\"\$(strip menu_later.png)\" 'BEGIN { exit !(m > 0.9) }'" ||
  fail "the notice stays up"

# In a level (quick start) the numbers go on.
hold Return
wait_for_line ogre.log "level_01.map: Es wurden 2 Lichter erstellt." || fail "Return did not quick-start level_01"
sleep 3
hold Print
wait_for_file screenshots/screenshot_3.png || fail "no screenshot_3.png in the game: $(ls screenshots)"
grab game_notice
[ "$(pictures)" -eq 3 ] || fail "the game wrote more than one picture: $(ls screenshots)"
[ -n "${KEEP_SCREENSHOTS:-}" ] && cp game_notice.png "$KEEP_SCREENSHOTS/screenshot_notice.png"
hold Tab
sleep 2
quit_from_title

# mapscout has no GUI: the line goes to stdout, and the numbers still go on.
./mapscout level_01.map >scout_out.txt 2>scout_err.txt &
APP_PID=$!
window=$(find_window level_01.map) || fail "no mapscout window; stderr: $(cat scout_err.txt)"
sleep 3
hold Print
wait_for_line scout_out.txt "Saved screenshots/screenshot_4.png" || fail "mapscout said: $(cat scout_out.txt)"
[ -f screenshots/screenshot_4.png ] || fail "mapscout wrote no screenshot_4.png: $(ls screenshots)"
[ "$(md5sum < screenshots/screenshot_1.png)" = "$before" ] || fail "screenshot_1.png was overwritten"
close_and_expect_clean_exit "$window"
echo "PASS"
