#pragma once

// mapscout's list of what is wrong with the level file: a dark strip along
// the bottom of the view with the first few problems (file:line and the
// message) and how many more there are, gone when there are none. It draws
// on a GUI of its own; mapscout has no other widgets.

#include <memory>
#include <string>
#include <vector>

namespace MyGUI {
class Gui;
class OgrePlatform;
}
struct game_context;

class problem_panel {
public:
    // Lines shown at most; a last line counts the rest.
    static constexpr std::size_t most_lines = 5;

    // Without a render window (tests) give the GUI to draw on.
    explicit problem_panel(game_context& context, MyGUI::Gui* given = nullptr);
    ~problem_panel();
    problem_panel(const problem_panel&) = delete;
    problem_panel& operator=(const problem_panel&) = delete;

    void show(const std::vector<std::string>& problems);
    // The lines on screen, empty when the panel is hidden.
    const std::vector<std::string>& get_lines() const { return shown; }
    // The GUI the panel draws on (null without one), for the editor's panel.
    MyGUI::Gui* get_gui() const { return gui; }

private:
    std::unique_ptr<MyGUI::OgrePlatform> platform;
    std::unique_ptr<MyGUI::Gui> own_gui;
    MyGUI::Gui* gui;
    std::vector<std::string> shown;
};
