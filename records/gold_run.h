#pragma once

// The gold run the game races and shows: a shipped level's author run (see
// author_run), read from the game's own media/runs/.

#include "replay.h"

#include <string>

class gold_run {
public:
    // The author run of a shipped level whose file is as it was when the run
    // was made; false when there is none (add-ons) or it does not fit the
    // level any more (logged).
    static bool find(const std::string& level_file, replay& out);
};
