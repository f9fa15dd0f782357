#include "game_folders.h"

#include <unistd.h>

#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

game_folders::game_folders(data_root root, bool developer, user_folders folders)
    : root(std::move(root)), developer(developer), folders(std::move(folders))
{
}

game_folders game_folders::prepare(const fs::path& executable_folder, const user_folders::environment& env)
{
    data_root root = data_root::find(executable_folder);
    const bool developer = root.beside_executable() && access(root.folder().c_str(), W_OK) == 0;
    // In a developer's run the empty folder is the working folder, so the
    // names the player sees stay short ("screenshots/screenshot_1.png").
    game_folders result(root, developer,
                        developer ? user_folders::in_one_folder("") : user_folders::from_environment(env));
    std::error_code failed;
    fs::current_path(root.folder(), failed);
    if (failed)
        throw std::runtime_error("Cannot enter the game's data folder " + root.folder().string() + " (" +
                                 failed.message() + "): " + root.cure());
    if (!developer) {
        result.folders.create_config_folder();
        result.put_default_settings();
    }
    const std::string problem = user_folders::try_create(result.folders.state_folder());
    if (!problem.empty())
        result.log_trouble = "The log folder " + fs::absolute(result.folders.log_file()).parent_path().string() +
                             " " + problem + "; the game goes on without ogre.log";
    return result;
}

std::string game_folders::settings_cure() const
{
    const std::string file = fs::absolute(folders.config_file()).string();
    if (developer)
        return "correct " + file + ", or delete it and rebuild (bash scripts/build.sh release) to get the default "
               "settings";
    return "correct " + file + ", or delete that file to get the default settings back";
}

void game_folders::put_default_settings() const
{
    const fs::path own = folders.config_file();
    std::error_code failed;
    if (fs::exists(own, failed))
        return;
    const fs::path shipped = root.folder() / "config.cfg";
    if (!fs::is_regular_file(shipped, failed))
        throw std::runtime_error("The default settings " + shipped.string() + " are missing: " + root.cure());
    fs::copy_file(shipped, own, failed);
    if (failed)
        throw std::runtime_error("The settings file " + own.string() + " cannot be written (" + failed.message() +
                                 "); make " + folders.config_folder().string() + " writable, or set XDG_CONFIG_HOME "
                                 "to a folder that is");
}
