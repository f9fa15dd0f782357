#pragma once

// The options screen's video page: the window's size and full screen, which
// change at once; shadows and bloom, from the next level on; waiting for the
// display, at once; the frame cap, when the game starts again; the level
// behind the menus, at once. A note says what only config.cfg changes.

#include "options_page.h"

class options_video : public options_page {
public:
    options_video(game_context& context, MyGUI::Gui& gui, screen_calls calls);

private:
    // The size chosen, else the window's size now; the same for full screen.
    std::string size_now() const;
    bool fullscreen_now() const;
    void step_size(int step);
    void switch_fullscreen();
    // The window takes the size and full screen chosen.
    void apply_window() const;
    // The window waits for the display, or no longer, at once.
    void switch_vsync();
};
