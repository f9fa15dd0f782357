#pragma once

// The player's game settings (not OGRE's render settings in config.cfg),
// read from a plain text file of `key = value` lines; `#` starts a comment,
// blank lines are ignored, switches take `on` or `off`, keys a key's name,
// a volume a whole number from 0 to 100. Every value starts
// at its default, which is how the game looked and ran before the file
// existed; the game only reads the file, it never writes it.

#include "key_bindings.h"

#include <filesystem>
#include <iosfwd>
#include <string>

class game_settings {
public:
    bool shadows = true;
    bool bloom = true;
    // Frames no faster than the display shows them (30 a second in still menus).
    bool frame_cap = true;
    bool vsync = true;
    // A translucent ball replays the level's best run beside the player's.
    bool ghost = true;
    // The music's loudness in percent, and whether it plays at all.
    int music_volume = 100;
    bool music = true;
    // `key_forward = Up` and so on; see key_names.h for the names.
    key_bindings keys;

    // Applies `key = value` lines from `in` over these values; a line it cannot use (unknown key, bad value,
    // no '=') is logged with `source`:line and changes nothing.
    void read(std::istream& in, const std::string& source);
    // The settings of `file`: defaults when it is missing; defaults and a log line when it cannot be read.
    static game_settings load(const std::filesystem::path& file);
};
