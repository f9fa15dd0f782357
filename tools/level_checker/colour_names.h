#pragma once

// The names a door or switch accepts in its `colour` attribute, compared byte
// for byte as the game does: "grün" and "weiß" count in Latin-1 and in UTF-8.
// Any other name makes the game fall back to white, which every switch opens.

#include <string>

class colour_names {
public:
    static bool is_known(const std::string& name);
    // The accepted names for a message, one group per colour.
    static std::string accepted();
};
