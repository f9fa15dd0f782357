#include "recording_sound_device.h"

sound_device::track* recording_sound_device::play_looped(const std::string& path)
{
    started.push_back(path);
    playing = path;
    return &handle;
}

void recording_sound_device::stop_all()
{
    playing.clear();
}
