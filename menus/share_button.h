#pragma once

// The level selection's Share button: shown on an add-on level the player
// has finished (a best run recorded on the file as it is now) while online
// play is on, and pressing it sends the level file with that run to be
// shared (level_sharing). The shipped levels are the game's own: nobody
// shares them.

#include <string>

class level_sharing;
namespace MyGUI {
class Gui;
}

class share_button {
public:
    static constexpr const char* widget_name = "level_share";

    // Shows or hides the button for `level_file`; `sharing` null: offline.
    void show(MyGUI::Gui& gui, level_sharing* sharing, const std::string& level_file,
              const std::string& progress_folder);
    // Sends the level shown; what came of it is the sharing's status.
    void press();

private:
    // Why the level cannot be shared; empty when it can.
    std::string problem() const;

    level_sharing* sharing = nullptr;
    std::string level_file;
    std::string progress_folder;
};
