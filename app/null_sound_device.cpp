#include "null_sound_device.h"

#include <fstream>

sound_device::track* null_sound_device::play_looped(const std::string& path)
{
    return std::ifstream(path).good() ? &silent : nullptr;
}
