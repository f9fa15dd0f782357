#include "sound_device.h"

#include "log.h"
#include "null_sound_device.h"
#include "sdl_sound_device.h"

std::unique_ptr<sound_device> sound_device::create()
{
    try {
        return std::make_unique<sdl_sound_device>();
    } catch (const std::exception& e) {
        log_line(std::string("No sound output available; the game runs silent: ") + e.what());
        return std::make_unique<null_sound_device>();
    }
}
