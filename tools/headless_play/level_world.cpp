#include "level_world.h"

#include "app/game_camera.h"
#include "game_meshes.h"

#include <OgreResourceGroupManager.h>

#include <unistd.h>

#include <cmath>
#include <fstream>

namespace {

// The generated meshes, written once per process and removed at its end.
struct generated_meshes {
    generated_meshes()
    {
        std::filesystem::create_directories(path);
        write_game_meshes(path.string());
    }
    ~generated_meshes()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("quillax_meshes_" + std::to_string(::getpid()));
};

const std::filesystem::path& mesh_folder()
{
    static const generated_meshes meshes;
    return meshes.path;
}

}

level_world::level_world(const std::string& folder_name)
{
    auto& groups = Ogre::ResourceGroupManager::getSingleton();
    const std::string group = Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME;
    groups.addResourceLocation(mesh_folder().string(), "FileSystem", group);
    groups.addResourceLocation(QUILLAX_MATERIALS_DIR, "FileSystem", group);
    groups.initialiseResourceGroup(group);
    context.root = nullptr;
    context.scene_manager = ogre.scene_manager;
    context.window = nullptr;
    context.world = &world;
    context.input = &input;
    context.sound = &sound;
    previous_folder = std::filesystem::current_path();
    folder = std::filesystem::temp_directory_path() / ("quillax_level_" + std::to_string(::getpid()) + "_" + folder_name);
    std::filesystem::create_directories(folder / "media" / "levels");
    std::filesystem::current_path(folder);
}

level_world::~level_world()
{
    std::filesystem::current_path(previous_folder);
    std::filesystem::remove_all(folder);
}

void level_world::write_level(const std::string& file_name, const std::string& xml)
{
    std::ofstream(folder / "media" / "levels" / file_name) << xml;
}

std::unique_ptr<level> level_world::load(const std::string& file_name, const std::string& xml)
{
    write_level(file_name, xml);
    return std::make_unique<level>(file_name, &context, nullptr);
}

std::unique_ptr<level> level_world::load_course(const std::string& objects, const std::string& file_name)
{
    return load(file_name, "<Level name=\"Course\"><Settings gravity=\"0 -100 0\"/><Objects>" + objects +
                                  "</Objects></Level>");
}

void level_world::frame(level& lvl, float dt, const std::set<key_code>& held, game_camera* camera)
{
    context.frame_time = dt;
    if (!lvl.is_completed()) {
        lvl.update();
        if (camera)
            camera->steer(mouse_state(), dt);
        world.simulate(dt);
        world.render(dt);
    }
    input.capture(dt);
    input.run_key_bindings([&](key_code key) { return held.count(key) > 0; });
}

void level_world::run(level& lvl, float seconds, float fps, const std::set<key_code>& held, game_camera* camera)
{
    const int frames = int(std::lround(seconds * fps));
    for (int i = 0; i < frames; ++i)
        frame(lvl, 1.0f / fps, held, camera);
}
