#pragma once

// The settings file on disk: read once at start, written whole each time the
// player changes an option. A file the game could not take whole (unreadable,
// or with lines it refused) is set aside before the first write, so that the
// player's own lines are never lost to the rewrite.

#include "game_settings.h"

#include <filesystem>
#include <string>

class settings_store {
public:
    explicit settings_store(std::filesystem::path file);

    const game_settings& loaded() const { return first; }
    // Writes `settings` safely (new file, flush, rename). Returns an empty
    // string, or why it failed (logged as well); the old file then stays.
    std::string save(const game_settings& settings);

private:
    std::filesystem::path file;
    game_settings first;
    // Why the file was not taken whole; empty once it has been set aside.
    std::string fault;
};
