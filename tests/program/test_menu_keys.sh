#!/usr/bin/env bash
# The menus without a mouse: arrows highlight the title screen's buttons and
# Return presses the highlighted one; in the level selection Up and Down
# choose within a list, Return on the campaigns moves on to their levels and
# Return on the levels starts the chosen one; Escape goes back.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"

start_game
shot title
keep title
# Down highlights Play: the pointer goes onto it.
hold Down
shot_until play '[ "$(differs title play)" -gt 200 ]' || fail "Down highlighted nothing on the title screen"
hold Return
shot_until selection '[ "$(differs title selection)" -gt 100000 ]' || fail "Return on the highlighted Play did not open the level selection"
! grep -q "player.mesh" ogre.log || fail "Return started a level instead of pressing the highlighted Play"
keep selection
# The campaign list, its second campaign, then that campaign's level list.
hold Down
hold Down
hold Down
shot_until second '[ "$(differs selection second)" -gt 2000 ]' || fail "Down in the campaign list did not choose another campaign"
keep second
hold Escape
shot_until back '[ "$(differs title back)" -lt 10000 ]' || fail "Escape did not go back to the title screen"
# Down twice and Return: Options, and Escape back again.
hold Down
hold Down
hold Return
shot_until options '[ "$(differs back options)" -gt 20000 ]' || fail "Down, Down, Return did not open Options"
keep options
hold Escape
shot_until title_again '[ "$(differs title title_again)" -lt 30000 ]' || fail "Escape did not leave Options"
keep title_again
# Play again; the second campaign, Return into its levels, one level on, Return.
hold Down
hold Return
shot selection_again
hold Down
hold Down
hold Return
shot first_level
keep first_level
hold Down
shot_until next_level '[ "$(differs first_level next_level)" -gt 20000 ]' || fail "Down in the level list did not choose another level"
keep next_level
hold Return
wait_for_line ogre.log "level_10.map: Es wurden" || fail "Return on the level list did not start the chosen level"
grep -q "level_01.map: Es wurden" ogre.log && fail "Return quick-started the first level instead"
expect_running "the menus were driven by keys"
echo "PASS"
