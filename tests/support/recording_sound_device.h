#pragma once

// A sound device for tests that keeps what it was asked: every path started,
// in order, and the one playing now (empty once stop_all ran), and every
// effect played. Like the real device, starting a file replaces what was
// playing.

#include "app/sound_device.h"

#include <string>
#include <vector>

class recording_sound_device : public sound_device {
public:
    struct effect {
        std::string path;
        float gain;
        float pan;
    };

    track* play_looped(const std::string& path) override;
    void play_effect(const std::string& path, float gain, float pan) override;
    void stop_all() override;
    void set_effects_volume(float volume) override { effects_volume = volume; }

    // How many effects were played from a file named `name` ("coin.ogg").
    int count(const std::string& name) const;

    std::vector<std::string> started;
    std::string playing;
    std::vector<effect> effects;
    float effects_volume = 1.0f;

private:
    track handle;
};
