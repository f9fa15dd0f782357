// Any bytes as a level file: the reader and every object built from it on a
// headless scene, then a few frames of play with the ball pushed forward, and
// the level taken down again.

#include "app/input_codes.h"
#include "headless_play/level_world.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Built once and kept for the whole run, as the game keeps its world.
    static level_world* world = new level_world("fuzz");
    std::unique_ptr<level> lvl = world->load("fuzz.map", std::string(reinterpret_cast<const char*>(data), size));
    for (int i = 0; i < 4; ++i)
        world->frame(*lvl, 1.0f / 60.0f, {KC_W});
    return 0;
}
