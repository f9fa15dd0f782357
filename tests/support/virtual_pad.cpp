#include "virtual_pad.h"

#include <SDL.h>

namespace {

Sint16 axis_value(float tilt)
{
    return Sint16(tilt * 32767.0f);
}

SDL_GameControllerButton sdl_button(gamepad::button b)
{
    switch (b) {
    case gamepad::button::a: return SDL_CONTROLLER_BUTTON_A;
    case gamepad::button::b: return SDL_CONTROLLER_BUTTON_B;
    case gamepad::button::start: return SDL_CONTROLLER_BUTTON_START;
    case gamepad::button::up: return SDL_CONTROLLER_BUTTON_DPAD_UP;
    case gamepad::button::down: return SDL_CONTROLLER_BUTTON_DPAD_DOWN;
    case gamepad::button::left: return SDL_CONTROLLER_BUTTON_DPAD_LEFT;
    case gamepad::button::right: return SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    }
    return SDL_CONTROLLER_BUTTON_A;
}

}

virtual_pad::virtual_pad()
{
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        why = SDL_GetError();
        return;
    }
    sdl_up = true;
    index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                      SDL_CONTROLLER_BUTTON_MAX, 0);
    stick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
    if (!stick)
        why = SDL_GetError();
}

virtual_pad::~virtual_pad()
{
    unplug();
    if (sdl_up)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void virtual_pad::tilt_left(float forward, float right)
{
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY, axis_value(-forward));
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, axis_value(right));
}

void virtual_pad::tilt_right(float up, float right)
{
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_RIGHTY, axis_value(-up));
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_RIGHTX, axis_value(right));
}

void virtual_pad::hold(gamepad::button b, bool down)
{
    SDL_JoystickSetVirtualButton(stick, sdl_button(b), down ? 1 : 0);
}

void virtual_pad::unplug()
{
    if (stick)
        SDL_JoystickClose(stick);
    stick = nullptr;
    if (index >= 0)
        SDL_JoystickDetachVirtual(index);
    index = -1;
}
