#pragma once

// The card a level opens with: the level's name (its file name when it has
// none), the player's best time on it, and its gold, silver and bronze times
// when the campaign index gives them. The words are made once, from what is
// known as the level starts; show() writes them into the card's widgets of
// race_start.layout, leaving out the medal row of a level without medals.

#include "records/medal_times.h"

#include <string>

struct level_record;
namespace MyGUI {
class Gui;
}

class start_card {
public:
    // `record` is the player's record of the level, null when there is none.
    start_card(const std::string& level_file, const medal_times& medals, const level_record* record);

    // Fills the card's widgets, when the GUI's layout has them.
    void show(MyGUI::Gui& gui) const;

private:
    std::string name;
    // "Best 00:42.52", or "No best time yet".
    std::string best;
    // Empty for a level without medals.
    std::string gold, silver, bronze;
};
