#include "user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const game_folder = "quillax";

bool absolute_value(const char* value)
{
    return value && fs::path(value).is_absolute();
}

fs::path home_folder(const user_folders::environment& env)
{
    const char* home = env("HOME");
    if (absolute_value(home))
        return home;
    // A session started without HOME (a service, a bare su) still has an
    // entry in the password database.
    if (const passwd* entry = getpwuid(getuid()); entry && absolute_value(entry->pw_dir))
        return entry->pw_dir;
    throw std::runtime_error("Cannot find the home folder for the game's settings: HOME is not set to an absolute "
                             "folder; set HOME, or XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_STATE_HOME");
}

fs::path base_folder(const user_folders::environment& env, const char* variable, const char* below_home)
{
    const char* value = env(variable);
    if (absolute_value(value))
        return fs::path(value) / game_folder;
    return home_folder(env) / below_home / game_folder;
}

}

user_folders::user_folders(fs::path config, fs::path data, fs::path state)
    : config(std::move(config)), data(std::move(data)), state(std::move(state))
{
}

user_folders user_folders::from_environment(const environment& env)
{
    return user_folders(base_folder(env, "XDG_CONFIG_HOME", ".config"),
                        base_folder(env, "XDG_DATA_HOME", ".local/share"),
                        base_folder(env, "XDG_STATE_HOME", ".local/state"));
}

user_folders user_folders::in_one_folder(const fs::path& folder)
{
    return user_folders(folder, folder, folder);
}

void user_folders::create_config_folder() const
{
    const std::string problem = try_create(config);
    if (!problem.empty())
        throw std::runtime_error("The settings folder " + fs::absolute(config).string() + " " + problem +
                                 "; make it writable, or set XDG_CONFIG_HOME to a folder that is");
}

std::string user_folders::try_create(const fs::path& folder)
{
    // The empty path is the working folder, which is there already.
    const fs::path checked = folder.empty() ? fs::path(".") : folder;
    std::error_code failed;
    fs::create_directories(checked, failed);
    if (failed)
        return "cannot be created (" + failed.message() + ")";
    if (access(checked.c_str(), W_OK) != 0)
        return "is not writable";
    return "";
}
