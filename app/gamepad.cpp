#include "gamepad.h"

#include "log.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace {

// Sticks rest a little off their centre; less than this is no tilt.
constexpr float dead_zone = 0.15f;

const std::pair<SDL_GameControllerButton, gamepad::button> button_map[] = {
    {SDL_CONTROLLER_BUTTON_A, gamepad::button::a},
    {SDL_CONTROLLER_BUTTON_B, gamepad::button::b},
    {SDL_CONTROLLER_BUTTON_START, gamepad::button::start},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, gamepad::button::up},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, gamepad::button::down},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, gamepad::button::left},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, gamepad::button::right},
};

float axis(SDL_GameController* pad, SDL_GameControllerAxis which)
{
    return std::max(-1.0f, float(SDL_GameControllerGetAxis(pad, which)) / 32767.0f);
}

// A stick's two axes: nothing inside the dead zone, its tilt as it is
// outside (half tilt pushes half as hard), and never more than 1 across
// the corner.
void stick(float& x, float& y)
{
    const float tilt = std::hypot(x, y);
    if (tilt < dead_zone) {
        x = y = 0.0f;
    } else if (tilt > 1.0f) {
        x /= tilt;
        y /= tilt;
    }
}

}

class gamepad::pads_open {
public:
    std::map<SDL_JoystickID, SDL_GameController*> pads;
    std::map<gamepad::button, bool> down;
};

gamepad::gamepad()
{
    // Pads bring in SDL's events, which would turn SIGINT and SIGTERM into
    // events nobody reads: the game could no longer be stopped from outside.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        log_line(std::string("Gamepads: SDL cannot open game pads (") + SDL_GetError() + "); playing without them");
        return;
    }
    open = std::make_unique<pads_open>();
}

gamepad::~gamepad()
{
    if (!open)
        return;
    for (auto& pad : open->pads)
        SDL_GameControllerClose(pad.second);
    open.reset();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

int gamepad::pads() const
{
    return open ? int(open->pads.size()) : 0;
}

void gamepad::poll()
{
    went_down.clear();
    went_up.clear();
    now = sticks();
    if (!open)
        return;
    SDL_GameControllerUpdate();
    // Only the pads' own events: the window's belong to OGRE, the sound's to the mixer.
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_CONTROLLERDEVICEADDED, SDL_CONTROLLERDEVICEREMOVED) > 0) {
        if (event.type == SDL_CONTROLLERDEVICEADDED) {
            if (SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which)) {
                const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
                if (open->pads.count(id)) {
                    SDL_GameControllerClose(pad);
                    continue;
                }
                open->pads[id] = pad;
                const char* name = SDL_GameControllerName(pad);
                log_line(std::string("Gamepad angeschlossen: ") + (name ? name : "ohne Namen"));
            }
        } else if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
            const auto found = open->pads.find(event.cdevice.which);
            if (found == open->pads.end())
                continue;
            SDL_GameControllerClose(found->second);
            open->pads.erase(found);
            log_line("Gamepad abgezogen");
        }
    }
    // Nobody else reads SDL's queue: the pads' own button and axis events would pile up in it.
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE);
    std::map<button, bool> down_now;
    for (auto& [id, pad] : open->pads) {
        float rx = axis(pad, SDL_CONTROLLER_AXIS_LEFTX), ry = -axis(pad, SDL_CONTROLLER_AXIS_LEFTY);
        float cx = axis(pad, SDL_CONTROLLER_AXIS_RIGHTX), cy = -axis(pad, SDL_CONTROLLER_AXIS_RIGHTY);
        stick(rx, ry);
        stick(cx, cy);
        // Of several pads, the one tilted furthest steers.
        if (std::hypot(rx, ry) > std::hypot(now.roll_right, now.roll_forward))
            now.roll_right = rx, now.roll_forward = ry;
        if (std::hypot(cx, cy) > std::hypot(now.turn, now.lift))
            now.turn = cx, now.lift = cy;
        for (const auto& [sdl_button, ours] : button_map)
            down_now[ours] = down_now[ours] || SDL_GameControllerGetButton(pad, sdl_button);
    }
    for (const auto& entry : button_map) {
        const button b = entry.second;
        const bool was = open->down[b], is = down_now[b];
        if (is && !was)
            went_down.push_back(b);
        else if (was && !is)
            went_up.push_back(b);
        open->down[b] = is;
    }
}
