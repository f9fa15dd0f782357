#pragma once

// Records one play of a level as a replay: the input of every frame, where
// the ball was after it, and the play time at the first touch of each
// checkpoint. A run too long to keep stops recording and is not kept.

#include "records/replay.h"

#include <cstdint>
#include <string>

class level;

class run_recorder {
public:
    run_recorder(const std::string& level_file, std::uint64_t level_hash);

    // After each played frame, with the input it was played with. Returns
    // the split when the frame touched a checkpoint for the first time.
    const replay_split* add(const replay_frame& input, const level& lvl);
    // The finished run, with the level's play time and coins; false when it
    // was too long to record whole.
    bool finish(const level& lvl, replay& out) const;

private:
    replay run;
    bool overflowed = false;
};
