#pragma once

// While a menu covers the game, what play draws over the view (counters,
// cues, split times, info banners) steps aside, so that no word of play
// stands between the menu's buttons. cover() hides every top-level widget
// then shown but `keep` (the dimming picture); uncover() shows again those
// that are still there. A screen that replaces every widget forgets what was
// hidden (forget).

#include <vector>

namespace MyGUI {
class Gui;
class Widget;
}

class hud_cover {
public:
    void cover(MyGUI::Gui* gui, const MyGUI::Widget* keep);
    void uncover(MyGUI::Gui* gui);
    void forget() { hidden.clear(); }

private:
    std::vector<MyGUI::Widget*> hidden;
};
