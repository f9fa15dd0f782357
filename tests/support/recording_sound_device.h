#pragma once

// A sound device for tests that keeps what it was asked: every path started,
// in order, and the one playing now (empty once stop_all ran). Like the real
// device, starting a file replaces what was playing.

#include "app/sound_device.h"

#include <string>
#include <vector>

class recording_sound_device : public sound_device {
public:
    track* play_looped(const std::string& path) override;
    void stop_all() override;

    std::vector<std::string> started;
    std::string playing;

private:
    track handle;
};
