#pragma once

// The player's own files: the render settings (config.cfg), the log
// (ogre.log), screenshots, and the place for saved progress and settings.
// An installed game keeps them in the XDG base folders: config in
// $XDG_CONFIG_HOME/quillax, data in $XDG_DATA_HOME/quillax, the log in
// $XDG_STATE_HOME/quillax, each defaulting to ~/.config, ~/.local/share and
// ~/.local/state; a relative or empty XDG value is ignored, as the XDG base
// directory rules say. A developer's run keeps all of them in one folder.

#include <filesystem>
#include <functional>
#include <string>

class user_folders {
public:
    // Looks up one environment variable; null when it is not set.
    using environment = std::function<const char*(const char*)>;

    // The XDG folders of `env` (std::getenv for the running program). Throws
    // std::runtime_error when no home folder can be found.
    static user_folders from_environment(const environment& env);
    // Every file in `folder` (a relative folder is read from the working one).
    static user_folders in_one_folder(const std::filesystem::path& folder);

    // Creates the config folder; throws std::runtime_error naming it when it
    // cannot be created or written, since the render settings live there.
    void create_config_folder() const;
    // Creates `folder` when missing. Returns what went wrong, empty when the
    // folder is there and writable; for folders the game can go on without.
    static std::string try_create(const std::filesystem::path& folder);

    std::filesystem::path config_folder() const { return config; }
    std::filesystem::path data_folder() const { return data; }
    std::filesystem::path state_folder() const { return state; }

    std::filesystem::path config_file() const { return config / "config.cfg"; }
    std::filesystem::path log_file() const { return state / "ogre.log"; }
    std::filesystem::path screenshot_folder() const { return data / "screenshots"; }
    // Saved progress (levels completed, best times) goes into this folder.
    std::filesystem::path progress_folder() const { return data / "progress"; }
    // Levels and campaign indexes the player adds.
    std::filesystem::path addon_level_folder() const { return data / "levels"; }
    // The player's game settings (not the render settings) go into this file.
    std::filesystem::path settings_file() const { return config / "settings"; }

private:
    user_folders(std::filesystem::path config, std::filesystem::path data, std::filesystem::path state);

    std::filesystem::path config;
    std::filesystem::path data;
    std::filesystem::path state;
};
