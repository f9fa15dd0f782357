#pragma once

// Music and effects through SDL2_mixer. Music is streamed from disk; starting
// a second piece replaces the first, which is all the game needs since a
// level and the menu never play at once. Effects are read whole the first
// time they play and kept, and share a few mixing channels. Construction
// opens the audio output and throws std::runtime_error when there is none;
// sound_device::create() handles that.

#include "sound_device.h"

#include <map>
#include <vector>

struct Mix_Chunk;

class sdl_sound_device : public sound_device {
public:
    sdl_sound_device();
    ~sdl_sound_device() override;

    track* play_looped(const std::string& path) override;
    void play_effect(const std::string& path, float gain, float pan) override;
    void stop_all() override;
    void set_music_volume(float volume) override;
    void set_effects_volume(float volume) override;

private:
    // The effect's samples; null (logged once) when the file cannot be read.
    Mix_Chunk* effect(const std::string& path);

    std::vector<std::unique_ptr<track>> tracks;
    std::map<std::string, Mix_Chunk*> effects;
    float effects_volume = 1.0f;
};
