#pragma once

// A short line on screen for a few seconds, such as "Saved
// screenshots/screenshot_3.png": centred near the bottom of the GUI on a dark
// backing, above the menus, never taking a click. The states clear every
// widget when they change layouts; the notice then comes back at the next
// update while its time lasts. Without a GUI (mapscout) the line is printed
// on stdout instead.

#include <string>

namespace MyGUI {
class Gui;
}

class screen_notice {
public:
    void show(MyGUI::Gui* gui, const std::string& line, float seconds);
    void hide(MyGUI::Gui* gui);
    // Once a frame: counts the time down and takes the notice away when it
    // has run out.
    void update(MyGUI::Gui* gui, float frame_time);

    bool is_shown() const { return time_left > 0.0f; }
    const std::string& get_text() const { return text; }

    // The name of the notice's panel in the GUI.
    static const std::string widget_name;

private:
    void place(MyGUI::Gui* gui) const;
    static void remove(MyGUI::Gui* gui);

    std::string text;
    float time_left = 0.0f;
};
