#pragma once

// The rules for a player's name on the leaderboard: 3 to 20 characters of
// well-formed UTF-8, no control characters (C0, DEL, C1), no space at
// either end. Names are compared byte for byte.

#include <string>

class player_name {
public:
    // Empty when `name` may be used; else what is wrong with it, for the player.
    static std::string problem(const std::string& name);
};
