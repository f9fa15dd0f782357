#pragma once

// The campaigns of the player's add-on folder, listed after the shipped
// ones: each campaign index there (*.cmp, by file name; same format as
// campaigns.cmp), then one "My levels" campaign of the level files no index
// there lists. An add-on names its levels by plain file name inside that
// folder: an entry with a folder in it (such as ../ or an absolute path) is
// refused, and a level of the same name as a shipped one is hidden, since
// the shipped level is the one that would play; each with a log line.

#include "campaign_object.h"

#include <filesystem>
#include <memory>
#include <vector>

class addon_campaigns {
public:
    static constexpr const char* loose_levels_name = "My levels";

    static std::vector<std::unique_ptr<campaign_object>> read(const std::filesystem::path& folder);
};
