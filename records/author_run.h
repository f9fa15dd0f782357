#pragma once

// A level's author run: a replay of the level finished by the project's
// route optimiser (tools/route_optimiser), shipped in media/runs/ beside
// media/levels/ under the replay file name of its level. Its finish time
// sets the level's medal times in the campaign index; both are remade by
// scripts/make-author-runs.sh. It plays like any replay of the level.

#include "medal_times.h"

#include <filesystem>
#include <string>

class author_run {
public:
    // The game's own runs, as media/levels/ holds its levels.
    static constexpr const char* shipped_folder = "media/runs/";

    // Where the author run of `level_file` lies in `runs_folder`.
    static std::filesystem::path path_in(const std::filesystem::path& runs_folder, const std::string& level_file);
    // The medal times a run finished in `finish_time` seconds sets, counting
    // whole milliseconds as the player's record does.
    static medal_times medals_for(double finish_time);
};
