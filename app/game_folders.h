#pragma once

// Where one run of a program reads and writes, decided once at start-up by
// one rule: when the data stand beside the executable and that folder is
// writable (the build's runnable folder, or a copy of it), the player's files
// stay in that folder as well; otherwise (an installed game) they go to the
// XDG folders (user_folders.h), and config.cfg is copied there from the
// shipped default on first start.
//
// prepare() also makes the data root the working folder, so that every path
// the game and its level and campaign files name ("media/levels/...",
// "media/audio/...", the locations in resources.cfg) keeps meaning what it
// always did, wherever the program was started; the player's files are
// named by absolute paths, or, in a developer's run, relative to that folder.

#include "data_root.h"
#include "user_folders.h"

#include <filesystem>
#include <string>

class game_folders {
public:
    // For programs in `executable_folder` and the environment `env`. Throws
    // std::runtime_error, with the message for the player, when the data are
    // missing or the settings folder or its config.cfg cannot be made.
    static game_folders prepare(const std::filesystem::path& executable_folder, const user_folders::environment& env);

    const data_root& data() const { return root; }
    const user_folders& user() const { return folders; }
    bool developer_run() const { return developer; }

    // What the player does about a config.cfg OGRE cannot use.
    std::string settings_cure() const;
    // Empty, or why ogre.log cannot be written (the game goes on without it).
    const std::string& log_problem() const { return log_trouble; }

private:
    game_folders(data_root root, bool developer, user_folders folders);
    void put_default_settings() const;

    data_root root;
    bool developer;
    user_folders folders;
    std::string log_trouble;
};
