#pragma once

// SDL's virtual joystick standing in for a player's pad, seen by the game's
// gamepad class as any pad plugged in: tests tilt its sticks and press its
// buttons, then let the game poll. Plugged in on construction (plugged()
// says whether SDL took it), pulled out by unplug() or at the end. Make
// the game's gamepad first, so that SDL comes up as it does in the game.

#include "app/gamepad.h"

#include <string>

struct _SDL_Joystick;

class virtual_pad {
public:
    virtual_pad();
    ~virtual_pad();
    virtual_pad(const virtual_pad&) = delete;
    virtual_pad& operator=(const virtual_pad&) = delete;

    bool plugged() const { return stick != nullptr; }
    // SDL's word when the pad could not be plugged in.
    const std::string& error() const { return why; }

    // Each from -1 to 1, forward and right positive.
    void tilt_left(float forward, float right);
    void tilt_right(float up, float right);
    void hold(gamepad::button b, bool down);
    void unplug();

private:
    bool sdl_up = false;
    _SDL_Joystick* stick = nullptr;
    int index = -1;
    std::string why;
};
