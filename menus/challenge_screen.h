#pragma once

// The screen at the end of a challenge: finished or out of balls, how far
// it got ("Reached level 5 of 8: Ferry Hopping"), the clock over all of it
// and the coins, the campaign's challenge record with what this run
// improved, and the way on (try again, or back to the title). Its buttons
// are pressed through the owner's `press`, as the keyboard's Return does.

#include "records/progress_store.h"

#include <functional>
#include <string>

namespace MyGUI {
class Gui;
class Widget;
}

class challenge_screen {
public:
    // What the screen tells.
    struct result {
        std::string campaign;
        bool won = false;
        int reached = 0; // the level it ended on (or the last), from 1
        int levels = 0;
        std::string reached_name;
        long time_ms = 0;
        int coins = 0;
        progress_store::outcome improved;
        level_record record; // the campaign's challenge record with this run counted
    };
    using press_handler = std::function<void(const std::string& button)>;

    explicit challenge_screen(press_handler press) : press(std::move(press)) {}

    // Replaces every widget on `gui` by the screen.
    void show(MyGUI::Gui& gui, const result& shown);

    static std::string heading(const result& shown);
    static std::string reached_line(const result& shown);
    // "Your record: Best 10:12.25 · 123 coins"
    static std::string record_line(const result& shown);

private:
    void on_click(MyGUI::Widget* sender);

    press_handler press;
};
