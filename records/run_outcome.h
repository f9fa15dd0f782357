#pragma once

// What a finished run adds to the player's record, for the completed screen
// to show: the level's record with the run counted (while watching: as it
// was), what improved, the medal earned and the level's medal times, the
// time gained on the run raced, and whether this run is now the best run to
// race.

#include "medal_times.h"
#include "progress_store.h"

struct run_outcome {
    level_record best;
    progress_store::outcome improved;
    medal earned = medal::none;
    medal_times medals;
    // Time gained on the best run raced (negative: faster).
    bool raced = false;
    double gain = 0.0;
    bool new_ghost = false;
};
