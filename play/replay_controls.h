#pragma once

// What the player can do while a best run is watched, so that a long run
// need not be sat through: Space (or P) pauses it and goes on, F held plays
// it four times as fast. A label at the top of the view says that a replay
// is on screen, how it plays and which keys do what. It listens to the keys
// for as long as it lives.

#include "app/input_listener.h"

#include <string>

class input_manager;
namespace MyGUI {
class Gui;
}

class replay_controls {
public:
    static constexpr float fast_forward = 4.0f;

    replay_controls(input_manager& input, MyGUI::Gui* gui);
    ~replay_controls();
    replay_controls(const replay_controls&) = delete;
    replay_controls& operator=(const replay_controls&) = delete;

    // Once a rendered frame, after input was captured: seconds of the run to
    // play for each second on screen (0 while paused).
    float speed();
    bool is_paused() const { return paused; }
    // "Replay", "Replay – paused" or "Replay ×4".
    static std::string label_of(float speed);

private:
    void show(float speed);

    input_manager& input;
    MyGUI::Gui* gui;
    input_listener keys{"replay_input"};
    bool paused = false;
    // Set by F's binding in the capture before each speed().
    bool fast = false;
};
