#pragma once

// The game's sound effects, synthesised with the music's own instruments and
// room so they belong to it: short, starting and ending at silence, each
// levelled so that none drowns the music. Written as Ogg Vorbis files named
// after the effect ("coin.ogg"), the same bytes on every run.

#include <string>
#include <vector>

class stereo_buffer;

class sound_effects {
public:
    // Every effect's name, as the game asks for it.
    static std::vector<std::string> names();
    // One effect's sound; throws std::invalid_argument for an unknown name.
    static stereo_buffer render(const std::string& name);
    // Renders and writes every effect into `folder`.
    static void write_all(const std::string& folder);
};
