#pragma once

// How often the route bot falls on its first drive through a level, played
// headless at 60 frames a second with the keys alone, as the playthrough
// tests play it: after a fall it follows its route again from where the
// ball was put back.

#include <string>

class level_world;

class bot_falls {
public:
    // The falls on the way to the flag; -1 (with `error` set) when the route
    // cannot be read or the bot does not finish within ten minutes of play.
    static int count(level_world& world, const std::string& level_file, const std::string& level_text,
                     const std::string& route_file, std::string& error);
};
