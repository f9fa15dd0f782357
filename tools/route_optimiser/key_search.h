#pragma once

// The second half of the search: faster finishes found by editing the keys
// of a finished run frame by frame, played back blind, as a replay is. An
// edit turns the keys of a stretch of frames an eighth of a turn, holds other
// keys over it (any direction, none, or the keys just before it), or cuts
// it out (a wait, a detour). Stretches are mostly short, so most edits keep
// the ball on its way. A candidate is kept when it finishes no later than
// the best run so far. The player and the dice must outlive the search.

#include "records/replay.h"

#include <cstddef>
#include <vector>

class level_player;
class search_random;

class key_search {
public:
    // `start`: a finished run of the player's level.
    key_search(level_player& player, search_random& dice, replay start);

    // Tries one edited run.
    void try_one();
    const replay& best() const { return best_run; }

private:
    void edit(std::vector<unsigned>& moves);

    level_player& player;
    search_random& dice;
    replay best_run;
};
