#pragma once

// Hands out a replay's frames at the pace they were played: each rendered
// frame gets the recorded frames whose time has come, however fast or slow
// the screen draws. The frames themselves are played as recorded, so the
// run comes out the same at any frame rate.

#include "records/replay.h"

#include <cstddef>

class replay_feed {
public:
    // Keeps a reference: `run` outlives the feed.
    explicit replay_feed(const replay& run) : run(run) {}

    // A rendered frame took `dt` seconds.
    void advance(float dt) { clock += dt; }
    // The next recorded frame that is due; false when none is (yet).
    bool next(replay_frame& out);
    bool done() const { return index >= run.frames.size(); }

private:
    const replay& run;
    std::size_t index = 0;
    double clock = 0.0;
    double played = 0.0;
};
