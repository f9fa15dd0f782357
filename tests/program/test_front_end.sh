#!/usr/bin/env bash
# The front end, driven like a player: the title screen with music playing,
# the level selection, a level with its display, the in-game menu (restart
# starts the clock again), the completed screen and its next-level button,
# back to the title screen, the quick start and Tab, and Escape to quit.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"

# Levels of our own: two won the moment the ball lands (the target lies under
# the start), listed first in a test campaign.
own_levels
for n in 1 2; do
  cat > "media/levels/won_0$n.map" <<MAP
<Level name="Won $n"><Description>Over at once.</Description><Settings gravity="0 -100 0"/>
<Objects><Object type="start" pos="0 100 0"/><Object type="target" pos="0 100.5 0"/></Objects></Level>
MAP
done
cat > media/levels/campaigns.cmp <<'CMP'
<Campaigns><Campaign name="Test run"><Levels>
<Level filename="won_01.map"/><Level filename="won_02.map"/></Levels></Campaign></Campaigns>
CMP

export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/audio.raw"
start_game
colours() { convert "$WORK/$1.png" -format '%k' info:; }

shot_until title '[ "$(colours title)" -gt 500 ]' || fail "the title screen looks empty"
keep title
# Two seconds of the menu music: 44100 frames of two 16-bit samples each a second.
wait_for_size audio.raw 352800 || fail "the menu music did not play for two seconds"
rms=$(sox -t raw -r 44100 -e signed -b 16 -c 2 audio.raw -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
awk -v r="${rms:-0}" 'BEGIN { exit !(r > 0.01) }' || fail "the menu music is silent (RMS ${rms:-none})"

click $PLAY_BUTTON
shot_until selection '[ "$(differs title selection)" -gt 100000 ]' || fail "Play did not open the level selection"
keep selection

click 833 679
wait_for_line ogre.log "won_01.map: Es wurden 2 Objekte erstellt." || fail "Start did not load the first level"
wait_for_line ogre.log "Go: won_01.map" || fail "play did not begin in the first level"
shot completed 3
keep completed
click 623 561
wait_for_line ogre.log "won_02.map: Es wurden 2 Objekte erstellt." || fail "the next-level button did not start the next level"
wait_for_line ogre.log "Go: won_02.map" || fail "play did not begin in the next level"
shot last 3
keep last
# The last level of the campaign: only the way back, in the middle.
click 511 561
shot_until back '[ "$(differs title back)" -lt 20000 ]' || fail "Main menu did not return to the title screen"

# Quick start, the in-game menu, restart, Tab back to the title screen.
hold Return
wait_for_line ogre.log "level_01.map: Es wurden 2 Lichter erstellt." || fail "Return did not quick-start level_01"
wait_for_line ogre.log "Go: level_01.map" || fail "play did not begin in level_01"
shot playing 3
keep playing
hold Escape
shot_until menu '[ "$(differs playing menu)" -gt 20000 ]' || fail "Escape did not open the in-game menu"
keep menu
restarts=$(grep -c "level_01.map: Es wurden 2 Lichter erstellt." ogre.log)
click 511 380
wait_for_count ogre.log "level_01.map: Es wurden 2 Lichter erstellt." "$((restarts + 1))" || fail "Restart did not reload the level"
hold Tab
shot_until after_tab '[ "$(differs title after_tab)" -lt 20000 ]' || fail "Tab did not return to the title screen"

quit_from_title
echo "PASS"
