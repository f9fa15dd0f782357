#pragma once

// The rules a player's name keeps, the same as the server's: 3 to 20
// characters (code points of valid UTF-8), no control characters, no space
// at either end.

#include <string>

class player_name {
public:
    // Empty when `name` may be used, otherwise what is wrong with it, for the player.
    static std::string problem(const std::string& name);
};
