#pragma once

// The silent stand-in used when no audio output can be opened. It accepts
// every call; a file that exists "plays" so callers behave as with sound.

#include "sound_device.h"

class null_sound_device : public sound_device {
public:
    track* play_looped(const std::string& path) override;
    void stop_all() override {}

private:
    track silent;
};
