#pragma once

// What one play of a level is about: the player racing (against a ghost when
// the settings want one) or a recorded run watched, which recorded run (the
// player's best, the level's gold run, or the world record's run from the
// leaderboard server), and the medals it can earn.

#include "records/medal_times.h"

struct run_plan {
    bool watch = false;
    // The gold run rather than the player's best; without a best of their
    // own the player races the gold run anyway.
    bool gold = false;
    medal_times medals;
    // The world record's run, when the server has sent it; otherwise as if
    // this were not set.
    bool world = false;
};
