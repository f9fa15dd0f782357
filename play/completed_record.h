#pragma once

// The completed screen's part about the player's record: the heading names a
// new best, the best row shows the level's best time and most coins with the
// time gained on the best run raced, and "Race your ghost" shows when this
// run became the level's best run.

#include "records/run_outcome.h"

namespace MyGUI {
class Gui;
}

void show_completed_record(MyGUI::Gui& gui, const run_outcome& result, bool offer_race);
