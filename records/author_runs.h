#pragma once

// The runs that set the shipped levels' gold times, kept in media/runs/ (one
// replay per level, named as the player's best runs are). The game races one
// as the gold ghost and plays it for "Watch gold run".

#include "replay.h"

#include <string>

class author_runs {
public:
    static constexpr const char* folder = "media/runs/";

    // The author run of a shipped level whose file is as it was when the run
    // was made; false when there is none (add-ons) or it does not fit the
    // level any more (logged).
    static bool find(const std::string& level_file, replay& out);
};
