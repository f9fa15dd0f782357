#pragma once

// Base of every game state. A state registers itself by name when it is
// constructed and is entered and exited many times afterwards, so enter and
// exit must leave it reusable. States never switch directly: they fill in a
// request (next_state, transition_push, params) or clear `running`, and the
// main loop carries that out between frames. The state object is owned by the
// code that constructed it; neither the registry nor the stack deletes it.

#include "sound_device.h"
#include "state_params.h"

#include <string>

struct game_context;
namespace MyGUI {
class Gui;
}

class game_state {
public:
    game_state(game_context* context, std::string name);
    virtual ~game_state() = default;

    virtual void enter(const state_params& params);
    virtual void pause();
    virtual void resume();
    virtual void exit();
    virtual void update();
    // True while the state shows a still picture (a menu, nothing moving):
    // the main loop then draws fewer frames. By default a state moves.
    virtual bool is_still() const;
    // How many times a second a still picture must be drawn all the same,
    // for something slowly moving behind it; 0: it stands.
    virtual int idle_frame_rate() const { return 0; }
    // The window lost the keyboard's focus (the player switched away).
    virtual void focus_lost();

    // Hands out a pending request once: true with its target and push flag,
    // false (leaving the arguments alone) when nothing was requested.
    virtual bool get_transition(std::string& name, bool& push);

    state_params get_params() const { return params; }

    game_context* context;
    bool paused = false;
    bool running = true;
    bool transition_requested = false;
    bool transition_push = true;
    std::string next_state;
    state_params params;
    MyGUI::Gui* gui = nullptr;
    // Handle of the menu music; owned by the sound device.
    sound_device::track* music = nullptr;
};
