#pragma once

// The completed screen of a finished level: the player's record of it (see
// completed_record), and the way on: the campaign's next level, racing the
// new best run, or back to the title. After a campaign's last level it says
// the campaign is complete and only the way back is left. Its buttons are
// pressed through the owner's `press`, as the keyboard's Return does.

#include <functional>
#include <string>

struct run_outcome;
namespace MyGUI {
class Gui;
class Widget;
}

class finish_screen {
public:
    using press_handler = std::function<void(const std::string& button)>;

    explicit finish_screen(press_handler press) : press(std::move(press)) {}

    // Replaces every widget on `gui` by the screen; an empty `next_level`
    // (the next level's name) ends the campaign.
    void show(MyGUI::Gui& gui, const std::string& next_level, const run_outcome& result, bool offer_race);

private:
    void on_click(MyGUI::Widget* sender);

    press_handler press;
};
