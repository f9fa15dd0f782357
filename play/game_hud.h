#pragma once

// The captions of the heads-up display and of the completed screen, filled
// in from the running level: the score (the coins' points), the coins taken
// and how many the level holds, and the play time as minutes and seconds.
// Each caption is written only when the GUI's current layout has it.

#include <string>

class level;
namespace MyGUI {
class Gui;
}

class game_hud {
public:
    static void show_captions(MyGUI::Gui* gui, const level& current, unsigned int total_seconds);

private:
    // "07" for 7, "42" for 42, "100" for 100.
    static std::string two_digits(unsigned int value);
    static void set_caption(MyGUI::Gui* gui, const std::string& widget, const std::string& text);
};
