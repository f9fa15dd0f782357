#pragma once

// The options screen's sound page: how loud the music and the effects play,
// and the music on or off.

#include "options_page.h"

class options_sound : public options_page {
public:
    options_sound(game_context& context, MyGUI::Gui& gui, screen_calls calls);
};
