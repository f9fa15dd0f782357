#pragma once

// "World #N" on the completed screen, once the leaderboard server has
// ranked the run just sent (logged as well). The line goes with the
// completed screen's widgets; nothing shows while no answer came.

#include <cstdint>

class online_service;
namespace MyGUI {
class Gui;
}

class world_rank_line {
public:
    // For the run of `level_hash` that finished at `finish_time`; `gui` may be null.
    world_rank_line(MyGUI::Gui* gui, const online_service& online, std::uint64_t level_hash, double finish_time);

    // Looks for the answer and shows it the first time it is there.
    void frame();
    // The rank shown, 0 while none.
    int get_rank() const { return rank; }

private:
    MyGUI::Gui* gui;
    const online_service& online;
    std::uint64_t level_hash;
    double finish_time;
    int rank = 0;
};
