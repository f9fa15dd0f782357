// Any bytes as the player's settings file: whatever the reader keeps is in
// range, gives no two actions one key, and is written and read back to the
// very same settings without a line refused.

#include "app/game_settings.h"
#include "app/window_size.h"

#include <OgreLogManager.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

namespace {

bool in_range(const game_settings& s)
{
    int width = 0, height = 0;
    if (!s.window_size.empty() && !read_window_size(s.window_size, width, height))
        return false;
    const auto speed = [](int value) { return value >= game_settings::least_speed && value <= game_settings::most_speed; };
    std::set<key_code> keys(s.keys.all().begin(), s.keys.all().end());
    return s.music_volume >= 0 && s.music_volume <= 100 && s.effects_volume >= 0 && s.effects_volume <= 100 &&
           speed(s.mouse_sensitivity) && speed(s.wheel_speed) && keys.size() == s.keys.all().size();
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Every refused line is logged: to a log that writes nowhere, for speed.
    static Ogre::LogManager* logs = [] {
        auto* manager = new Ogre::LogManager();
        manager->createLog("fuzz_settings_reader.log", true, false, true);
        return manager;
    }();
    (void)logs;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    game_settings settings;
    settings.read(in, "settings");
    if (!in_range(settings))
        std::abort();
    std::istringstream written(settings.to_text());
    game_settings again;
    if (again.read(written, "settings") != 0 || again.to_text() != settings.to_text())
        std::abort();
    return 0;
}
