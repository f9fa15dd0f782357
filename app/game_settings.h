#pragma once

// The player's game settings (not the render settings of config.cfg), read
// from a plain text file of `key = value` lines; `#` starts a comment.

#include <filesystem>
#include <istream>
#include <string>

class game_settings {
public:
    bool shadows = true;
    bool bloom = true;
    bool frame_cap = true;
    bool vsync = true;

    // Applies `key = value` lines from `in` over these values; a line it
    // cannot use (unknown key, bad value, no '=') is logged with `source`:line
    // and changes nothing.
    void read(std::istream& in, const std::string& source);
    // The settings of `file`: defaults when it is missing; defaults and a log
    // line when it cannot be read.
    static game_settings load(const std::filesystem::path& file);
};
