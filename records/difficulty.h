#pragma once

// How hard a level is, in one to five marks, from its gold (author) run: how
// long the best line takes, how far the ball rolls on it, and how far on
// average between the places a fall can bring it back to (the start and
// each checkpoint of the level). The level selection shows the marks; the
// level_difficulty tool prints them with the numbers. Both read the same
// shipped run, so the marks follow a changed level as soon as its run is
// remade (which the author run tests insist on).
//
// The rule: one mark for every level, one more at 10 s of gold time, one at
// 25 s, one at 45 s; and one more when the stretches between places to come
// back to average 200 units or more. At most five.

#include "replay.h"

#include <string>

class difficulty {
public:
    struct numbers {
        double time = 0.0;         // the run's finish time, seconds
        double length = 0.0;       // the path the ball rolled, units (teleports and falls left out)
        int checkpoints = 0;       // checkpoints the level holds
    };

    static numbers of(const replay& run, int checkpoints);
    // The checkpoints of the level file at `path`; 0 when it cannot be read.
    static int checkpoints_in(const std::string& path);
    static int marks(const numbers& n);
};
