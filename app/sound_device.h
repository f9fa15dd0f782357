#pragma once

// Plays background music. The game only ever starts a file looped, stops
// everything and sets the music's volume, so that is the whole interface. create() picks the real device,
// or a silent one (with a log line) when the machine has no audio output, so
// the game never ends just because it cannot make a sound.

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
    virtual void stop_all() = 0;
    // The music's loudness from 0 (silent) to 1 (as recorded, the default),
    // for what plays now and later. A silent device has nothing to turn.
    virtual void set_music_volume(float) {}

    static std::unique_ptr<sound_device> create();
};
