#pragma once

// The "More levels" screen: the levels players have shared, newest first,
// most played first or by author, with the chosen one's author, date, size,
// the author's time, plays and description. Play fetches the level into
// the add-on folder (level_sharing checks it first); the owner then takes
// its file name and starts it. The owner attaches Back and destroys the
// screen with its widgets.

#include <cstddef>
#include <string>

class level_sharing;
struct shared_level;
namespace MyGUI {
class Gui;
class ListBox;
class Widget;
}

class more_levels_screen {
public:
    more_levels_screen(MyGUI::Gui& gui, level_sharing& sharing);

    // Each frame: shows what the server answered since.
    void frame();
    // The level fetched to play, once; empty otherwise.
    std::string take_level();
    // The same as clicking the widget of that name (tests, keyboard use).
    void press(const std::string& widget);

    // One line of the list: the level's name, cut to fit.
    static std::string line(const shared_level& level);
    // The details of `level`, one per line, then its description.
    static std::string details(const shared_level& level);

private:
    void on_click(MyGUI::Widget* sender);
    void on_chosen(MyGUI::ListBox* list, std::size_t index);
    void on_accepted(MyGUI::ListBox* list, std::size_t index);
    void fill();
    void show_chosen();
    void set_text(const std::string& widget, const std::string& text);

    MyGUI::Gui& gui;
    level_sharing& sharing;
    unsigned shown_changes = ~0u;
    std::size_t chosen = 0;
};
