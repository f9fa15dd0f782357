#pragma once

// Plays the background music and the short sound effects over it. The game
// starts one music file looped, plays effects once each, stops everything
// and sets the two volumes, so that is the whole interface. create() picks
// the real device, or a silent one (with a log line) when the machine has no
// audio output, so the game never ends just because it cannot make a sound.

#include <memory>
#include <string>

class sound_device {
public:
    // A playing sound. Owned by the device and valid until stop_all().
    class track {
    public:
        virtual ~track() = default;
    };

    virtual ~sound_device() = default;

    // Starts the file at path, looped. Null when it cannot be played.
    virtual track* play_looped(const std::string& path) = 0;
    // Plays the file at path once beside the music and any other effects, at
    // `gain` (0 to 1, times the effects' volume) and panned from -1 (left)
    // to 1 (right). When every channel is busy the effect is dropped.
    virtual void play_effect(const std::string& path, float gain, float pan) {}
    // Stops the music. Effects are short and ring out, so a button's click
    // is still heard when the level it starts stops the menu's music.
    virtual void stop_all() = 0;
    // The loudness of the music, and of the effects, from 0 (silent) to 1
    // (as recorded, the default), for what plays now and later. A silent
    // device has nothing to turn.
    virtual void set_music_volume(float) {}
    virtual void set_effects_volume(float) {}

    static std::unique_ptr<sound_device> create();
    // Where the effect called `name` ("coin") is, from the game's data folder.
    static std::string effect_file(const std::string& name) { return "media/audio/effects/" + name + ".ogg"; }
};
