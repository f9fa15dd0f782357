#pragma once

// The player's game settings (not OGRE's render settings in config.cfg),
// read from a plain text file of `key = value` lines; `#` starts a comment,
// blank lines are ignored, switches take `on` or `off`, keys a key's name,
// a volume or speed a whole number in percent. Every value starts at its
// default, which is how the game looked and ran before the file existed.
// The options screen writes the file whole (to_text) through settings_store.

#include "key_bindings.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

class game_settings {
public:
    bool shadows = true;
    bool bloom = true;
    // Frames no faster than the display shows them (30 a second in still menus).
    bool frame_cap = true;
    bool vsync = true;
    // A level seen from a circling camera behind the title screen's menus.
    bool title_scenery = true;
    // A translucent ball replays the level's best run beside the player's.
    bool ghost = true;
    // The camera turns by itself to look where the ball rolls. Off here, as
    // the game always was, so a settings file without the line keeps the
    // manual camera; a new player without a settings file gets it on (load).
    bool follow_camera = false;
    // The music's loudness in percent, and whether it plays at all.
    int music_volume = 100;
    bool music = true;
    // The sound effects' loudness in percent; 0 silences them.
    int effects_volume = 100;
    // `key_forward = Up` and so on; see key_names.h for the names.
    key_bindings keys;
    // How far the mouse turns the camera and how far a wheel notch raises
    // it, in percent of the game's own feel; invert turns the other way.
    int mouse_sensitivity = 100;
    bool invert_mouse = false;
    int wheel_speed = 100;
    // "1280 x 720" and on/off; unset, config.cfg decides as it always did.
    std::string window_size;
    std::optional<bool> fullscreen;

    static constexpr int least_speed = 10;
    static constexpr int most_speed = 400;

    // The music's gain for the sound device: 0 when the music is off.
    float music_gain() const { return music ? float(music_volume) / 100.0f : 0.0f; }
    float effects_gain() const { return float(effects_volume) / 100.0f; }

    // Applies `key = value` lines from `in` over these values; a line it cannot use (unknown key, bad value,
    // no '=') is logged with `source`:line and changes nothing. Returns how many lines were refused.
    int read(std::istream& in, const std::string& source);
    // Every setting as the file's lines, read back by read() to the same values.
    std::string to_text() const;
    // The settings of `file`: defaults when it is missing; defaults and a log line when it cannot be read.
    // `fault`, when given, says why the file was not taken whole (empty when it was, or is missing).
    static game_settings load(const std::filesystem::path& file, std::string* fault = nullptr);
};
