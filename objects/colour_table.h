#pragma once

// The colours of doors and switches. A `colour` attribute is compared byte
// for byte with the accepted names ("grün" and "weiß" in Latin-1 as well as
// UTF-8); anything else, or no attribute, is white, the wildcard, drawn with
// OGRE's fallback material.

#include <string>

struct door_colour {
    int index;
    std::string bars_material;
    std::string pressed_material;
};

constexpr int white_colour = 3;

door_colour colour_from_name(const char* name);
