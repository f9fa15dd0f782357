#pragma once

// The player's record of the levels, kept in the progress folder: the best
// time and most coins of each level (progress_store) and the replay of its
// best run (progress folder/replays/). Read when a menu or a level needs it,
// so a second game running at the same time is seen at the next look.

#include "progress_store.h"
#include "replay.h"

#include <cstdint>
#include <filesystem>
#include <string>

class best_runs {
public:
    // An empty folder keeps nothing and finds nothing.
    explicit best_runs(const std::string& folder);

    const level_record* record(const std::string& level_file) const;
    // The best run of a level whose file is as it was when the run was
    // recorded; false when there is none or it cannot be played (logged).
    bool best_replay(const std::string& level_file, replay& out) const;
    // Keeps a finished run: its time, coins and the medal it `earned`, and
    // its replay when it is the best time or the level has no playable best
    // run (its file changed). `saved_replay` tells whether the replay was
    // written.
    progress_store::outcome keep(const replay& run, medal earned, bool& saved_replay);

    // A campaign's challenge as it ended (see progress_store::record_challenge).
    progress_store::outcome keep_challenge(const std::string& campaign, bool finished, double time_seconds, int coins,
                                           int furthest_level);
    const level_record* challenge(const std::string& campaign) const;

    // Of the level file as the game reads it now; 0 when it cannot be read.
    static std::uint64_t level_hash(const std::string& level_file);

private:
    std::filesystem::path replay_path(const std::string& level_file) const;

    std::filesystem::path folder;
    progress_store progress;
};
