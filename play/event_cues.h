#pragma once

// Short words in the play view for what just happened to the ball, so that
// a fall is never noticed only because the ball is suddenly elsewhere:
// "Checkpoint", "Back to the checkpoint" or "Back to the start", and the
// coins as each is taken ("7 / 9"). The newest cue replaces the one before;
// each stays a second and a half and then fades out. They stand centred
// below the middle of the view, clear of the counters at the top left, the
// split times at the top right, the info banners under the counters and
// notices at the bottom.

#include <string>

class level;
namespace MyGUI {
class Gui;
class Widget;
}

class event_cues {
public:
    explicit event_cues(MyGUI::Gui* gui) : gui(gui) {}

    // The cue for the events `lvl` reported in its last update, if any.
    void take(const level& lvl);
    // Once a frame: fades the cue and takes it away when its time is up.
    void update(float dt);

    // What is shown, empty when nothing is.
    const std::string& get_text() const { return text; }

private:
    void show(const std::string& line);
    MyGUI::Widget* panel() const;

    MyGUI::Gui* gui;
    std::string text;
    float shown_for = 0.0f;
};
