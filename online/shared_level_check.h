#pragma once

// Whether a level downloaded from the shared list may go into the player's
// add-on folder: it is the very file the list named (its hash), a plain
// file name that no shipped level has, small enough for the game, and the
// level checker finds no error in it with only the game's own media to look
// in, so it names no mesh or music the game does not ship. An add-on of the
// same name is never replaced by another file.

#include <filesystem>
#include <string>

struct shared_level;

class shared_level_check {
public:
    // Empty when `text` may be written as `level.file` into `addon_folder`,
    // else why not, for the player. `data_root`: the game's data folder.
    static std::string problem(const shared_level& level, const std::string& text,
                               const std::filesystem::path& addon_folder, const std::string& data_root);
};
