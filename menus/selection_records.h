#pragma once

// The level selection's view of the player's record: finished levels marked
// in the list, the chosen level's best time and most coins, and "Watch best
// run" only for a level whose best run can be played. Read afresh each time
// the selection opens.

#include "records/best_runs.h"

#include <map>
#include <string>

namespace MyGUI {
class Gui;
}

class selection_records {
public:
    explicit selection_records(const std::string& progress_folder) : records(progress_folder) {}

    // The level's line in the list: its short name, with a check mark once finished.
    std::string list_line(const std::string& file, const std::string& name) const;
    // The best of the chosen level, and its watch button.
    void show(MyGUI::Gui& gui, const std::string& file);

private:
    best_runs records;
    // Each best run is checked once: one that cannot be played is logged once.
    std::map<std::string, bool> watchable;
};
