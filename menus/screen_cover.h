#pragma once

// What is on screen steps aside while something covers it: the play view's
// words (counters, cues, split times, info banners) under the in-game menu,
// the title screen under the question before quitting. cover() hides every
// top-level widget then shown but `keep` (such as the dimming picture);
// uncover() shows again those that are still there. A screen that replaces
// every widget forgets what was hidden (forget).

#include <vector>

namespace MyGUI {
class Gui;
class Widget;
}

class screen_cover {
public:
    void cover(MyGUI::Gui* gui, const MyGUI::Widget* keep);
    void uncover(MyGUI::Gui* gui);
    void forget() { hidden.clear(); }

private:
    std::vector<MyGUI::Widget*> hidden;
};
