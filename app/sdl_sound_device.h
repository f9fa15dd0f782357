#pragma once

// Music through SDL2_mixer. Music is streamed from disk; starting a second
// piece replaces the first, which is all the game needs since a level and the
// menu never play at once. Construction opens the audio output and throws
// std::runtime_error when there is none; sound_device::create() handles that.

#include "sound_device.h"

#include <vector>

class sdl_sound_device : public sound_device {
public:
    sdl_sound_device();
    ~sdl_sound_device() override;

    track* play_looped(const std::string& path) override;
    void stop_all() override;
    void set_music_volume(float volume) override;

private:
    std::vector<std::unique_ptr<track>> tracks;
};
