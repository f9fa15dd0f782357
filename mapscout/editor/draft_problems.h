#pragma once

// What the level checker finds in the editor's draft, unsaved changes
// included, shown in the strip along the bottom of the view after each
// build of the level. It draws the same strip scout_reload fills from the
// saved file (a widget of the same name), so the draft's report takes its
// place; a file that cannot be built still shows why in it. Lines that
// were not there at the last check go to the log.

#include "mapscout/problem_panel.h"

#include <string>
#include <vector>

struct game_context;

class draft_problems {
public:
    draft_problems(game_context& context, MyGUI::Gui* gui) : panel(context, gui) {}

    // `text` as the file at `path` would hold it.
    void check(const std::string& path, const std::string& text);
    // The lines on screen.
    const std::vector<std::string>& get_lines() const { return panel.get_lines(); }

private:
    problem_panel panel;
    std::vector<std::string> last;
};
