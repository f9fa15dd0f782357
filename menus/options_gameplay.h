#pragma once

// The options screen's gameplay page: the ghost of the best run and the
// follow camera, each on or off.

#include "options_page.h"

class options_gameplay : public options_page {
public:
    options_gameplay(game_context& context, MyGUI::Gui& gui, screen_calls calls);
};
