#include "key_names.h"

#include <strings.h>

#include <string>

namespace {

struct named_key {
    int code;
    const char* name;
};

// OIS's key codes (keyboard scan codes) with the names on the keys of a US
// layout; letters are where they are on the keyboard, whatever the layout.
const named_key table[] = {
    {1, "Escape"},
    {2, "1"},
    {3, "2"},
    {4, "3"},
    {5, "4"},
    {6, "5"},
    {7, "6"},
    {8, "7"},
    {9, "8"},
    {10, "9"},
    {11, "0"},
    {12, "Minus"},
    {13, "Equals"},
    {14, "Backspace"},
    {15, "Tab"},
    {16, "Q"},
    {17, "W"},
    {18, "E"},
    {19, "R"},
    {20, "T"},
    {21, "Y"},
    {22, "U"},
    {23, "I"},
    {24, "O"},
    {25, "P"},
    {26, "LeftBracket"},
    {27, "RightBracket"},
    {28, "Return"},
    {29, "LeftCtrl"},
    {30, "A"},
    {31, "S"},
    {32, "D"},
    {33, "F"},
    {34, "G"},
    {35, "H"},
    {36, "J"},
    {37, "K"},
    {38, "L"},
    {39, "Semicolon"},
    {40, "Apostrophe"},
    {41, "Grave"},
    {42, "LeftShift"},
    {43, "Backslash"},
    {44, "Z"},
    {45, "X"},
    {46, "C"},
    {47, "V"},
    {48, "B"},
    {49, "N"},
    {50, "M"},
    {51, "Comma"},
    {52, "Period"},
    {53, "Slash"},
    {54, "RightShift"},
    {55, "KeypadMultiply"},
    {56, "LeftAlt"},
    {57, "Space"},
    {58, "CapsLock"},
    {59, "F1"},
    {60, "F2"},
    {61, "F3"},
    {62, "F4"},
    {63, "F5"},
    {64, "F6"},
    {65, "F7"},
    {66, "F8"},
    {67, "F9"},
    {68, "F10"},
    {69, "NumLock"},
    {70, "ScrollLock"},
    {71, "Keypad7"},
    {72, "Keypad8"},
    {73, "Keypad9"},
    {74, "KeypadMinus"},
    {75, "Keypad4"},
    {76, "Keypad5"},
    {77, "Keypad6"},
    {78, "KeypadPlus"},
    {79, "Keypad1"},
    {80, "Keypad2"},
    {81, "Keypad3"},
    {82, "Keypad0"},
    {83, "KeypadPeriod"},
    {87, "F11"},
    {88, "F12"},
    {156, "KeypadEnter"},
    {157, "RightCtrl"},
    {181, "KeypadDivide"},
    {183, "Print"},
    {184, "RightAlt"},
    {197, "Pause"},
    {199, "Home"},
    {200, "Up"},
    {201, "PageUp"},
    {203, "Left"},
    {205, "Right"},
    {207, "End"},
    {208, "Down"},
    {209, "PageDown"},
    {210, "Insert"},
    {211, "Delete"},
};

}

std::string key_name(key_code key)
{
    for (const named_key& entry : table)
        if (entry.code == int(key))
            return entry.name;
    return "Key " + std::to_string(int(key));
}

bool key_from_name(const std::string& name, key_code& key)
{
    for (const named_key& entry : table)
        if (strcasecmp(entry.name, name.c_str()) == 0) {
            key = static_cast<key_code>(entry.code);
            return true;
        }
    return false;
}
