#pragma once

// The keys and mouse buttons the game binds, with the values of OIS's key
// codes (keyboard scan codes) and button ids, so that only the input manager
// needs to know OIS. A player's own binding may be any other code. mouse_state is a copy of the mouse as of the last capture.

enum key_code {
    KC_ESCAPE = 1,
    KC_TAB = 15,
    KC_Q = 16,
    KC_W = 17,
    KC_E = 18,
    KC_R = 19,
    KC_Y = 21,
    KC_P = 25,
    KC_RETURN = 28,
    KC_A = 30,
    KC_S = 31,
    KC_D = 32,
    KC_F = 33,
    KC_SPACE = 57,
    KC_NUMPADENTER = 156,
    KC_SYSRQ = 183,
    KC_UP = 200,
    KC_LEFT = 203,
    KC_RIGHT = 205,
    KC_DOWN = 208,
};

enum mouse_button {
    MB_Left = 0,
    MB_Right = 1,
    MB_Middle = 2,
};

struct mouse_axis {
    int abs = 0;
    int rel = 0;
};

struct mouse_state {
    mouse_axis X;
    mouse_axis Y;
    mouse_axis Z;
    int buttons = 0;
    int width = 50;
    int height = 50;

    bool button_down(mouse_button button) const { return (buttons & (1 << button)) != 0; }
};
