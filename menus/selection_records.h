#pragma once

// The level selection's view of the player's record: finished levels marked
// in the list with the best medal earned, the chosen level's best time and
// most coins, its medal times, "Watch best run" only for a level whose best
// run can be played, and, on a level with a gold run, the choice of ghost to
// race and "Watch gold run"; the chosen campaign's challenge record. Read
// afresh each time the selection opens.

#include "records/best_runs.h"
#include "records/medal_times.h"

#include <map>
#include <string>

namespace MyGUI {
class Gui;
}

class selection_records {
public:
    explicit selection_records(const std::string& progress_folder) : records(progress_folder) {}

    // The level's line in the list: its short name, with a check mark once
    // finished, or a disc in the colour of the best medal once one is earned.
    std::string list_line(const std::string& file, const std::string& name) const;
    // The record of the chosen level, its medal times and its buttons;
    // `race_gold`: the player chose the gold run as the ghost.
    void show(MyGUI::Gui& gui, const std::string& file, const medal_times& medals, bool race_gold);
    // The player has a best run of `file` that can be played.
    bool has_best_run(const std::string& file) { return can_watch(watchable, file, false); }
    // The campaign's challenge record beside its button.
    void show_challenge(MyGUI::Gui& gui, const std::string& campaign) const;
    // "Best 10:12.25 · 123 coins", "Furthest: level 5", or "Not tried yet".
    static std::string challenge_text(const level_record* record);
    // The colour tag MyGUI writes a medal's disc in ("#FFC83C").
    static const char* medal_colour(medal which);

private:
    // Whether a run can be played: each is checked once, so one that cannot
    // is logged once.
    bool can_watch(std::map<std::string, bool>& checked, const std::string& file, bool gold) const;

    best_runs records;
    std::map<std::string, bool> watchable;
    std::map<std::string, bool> gold_watchable;
};
