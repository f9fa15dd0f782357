#pragma once

// The completed screen's part about the player's record: the heading names a
// new best, the best row shows the level's best time and most coins with the
// time gained on the best run raced, and "Race your ghost" shows when this
// run became the level's best run. On a level with medals the picture on
// top is the medal earned, and a line names it and the next medal's time.

#include "records/run_outcome.h"

#include <string>

namespace MyGUI {
class Gui;
}

void show_completed_record(MyGUI::Gui& gui, const run_outcome& result, bool offer_race);

// "Silver medal! Gold at 14.3 s"; empty on a level without medals.
std::string medal_note(const run_outcome& result);
