#pragma once

// Leaving a level leads back to the title screen; quitting is the title
// screen's job. A level quick-started from the title screen lies on the
// menu, so it is popped back to it; a level started from the level selection
// replaced the menu, so the menu is built again in its place. Leaving a
// watched run leads back to the level selection, with the watched level
// chosen, so that the next run can be picked there. Called from the in-game
// state's handlers; the request is carried out between frames. A program
// without a title screen ends with its level.

#include <string>

class game_state;

void return_to_title(game_state& leaving);
void return_to_selection(game_state& leaving, const std::string& campaign_name, const std::string& level_file);
