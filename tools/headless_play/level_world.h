#pragma once

// Everything a level needs, headless: a real OGRE scene manager with the
// game's generated meshes, a physics world, an input manager without devices
// and a silent sound device. It works in a fresh temporary working folder of
// its own, so level files written with write_level land in its media/levels/.
// Tests, fuzzers, benchmarks and the route optimiser build their levels on one.

#include "app/game_context.h"
#include "app/input_manager.h"
#include "app/null_sound_device.h"
#include "app/physics/physics_world.h"
#include "headless_scene.h"
#include "level/level.h"

#include <filesystem>
#include <memory>
#include <set>
#include <string>

class game_camera;

class level_world {
public:
    explicit level_world(const std::string& folder_name);
    ~level_world();
    level_world(const level_world&) = delete;
    level_world& operator=(const level_world&) = delete;

    void write_level(const std::string& file_name, const std::string& xml);
    // Writes the file and builds a level from it.
    std::unique_ptr<level> load(const std::string& file_name, const std::string& xml);
    // A level holding `objects` (Object elements) under gravity (0, -100, 0).
    std::unique_ptr<level> load_course(const std::string& objects, const std::string& file_name = "course.map");

    // One frame in the main loop's order: the level, the camera, the physics,
    // then the input capture with `held` keys down.
    void frame(level& lvl, float dt, const std::set<key_code>& held = {}, game_camera* camera = nullptr);
    void run(level& lvl, float seconds, float fps, const std::set<key_code>& held = {},
             game_camera* camera = nullptr);

    headless_scene ogre;
    physics_world world;
    input_manager input;
    null_sound_device sound;
    game_context context;

private:
    std::filesystem::path previous_folder;
    std::filesystem::path folder;
};
