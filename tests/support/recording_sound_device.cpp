#include "recording_sound_device.h"

#include <algorithm>

sound_device::track* recording_sound_device::play_looped(const std::string& path)
{
    started.push_back(path);
    playing = path;
    return &handle;
}

void recording_sound_device::play_effect(const std::string& path, float gain, float pan)
{
    effects.push_back({path, gain, pan});
}

void recording_sound_device::stop_all()
{
    playing.clear();
}

int recording_sound_device::count(const std::string& name) const
{
    return int(std::count_if(effects.begin(), effects.end(), [&](const effect& e) {
        return e.path.size() >= name.size() && e.path.compare(e.path.size() - name.size(), name.size(), name) == 0 &&
               (e.path.size() == name.size() || e.path[e.path.size() - name.size() - 1] == '/');
    }));
}
