#pragma once

// The level selection's world view of the chosen level, while online: the
// world top 10 and the player's rank, in place of the level's description
// once the server has answered (asked in the background and kept a little
// while, so that choosing levels never waits), "Watch record" once
// the record's run has come, and the world record as a choice of ghost.

#include <cstddef>
#include <cstdint>
#include <string>

struct level_board;
class online_service;
namespace MyGUI {
class Gui;
}

class world_board {
public:
    // For the chosen level of the selection on `gui`; null `online`: offline.
    void show(MyGUI::Gui& gui, online_service* online, const std::string& level_file, bool race_world);
    // Each frame: shows what has come since.
    void frame();
    // The world record's run is here to race or watch.
    bool has_world_record() const;

    // The board's heading: the player's rank, when known.
    static std::string heading(const level_board& board, const std::string& player);
    // Five of the runs from `first` (0 or 5), a line each ("1  Ann  00:12.34").
    static std::string column(const level_board& board, size_t first);

private:
    void show_now();
    void show_text(const std::string& widget, int column, const std::string& text);

    MyGUI::Gui* gui = nullptr;
    online_service* online = nullptr;
    std::string level_file;
    std::uint64_t level_hash = 0;
    // The rank last logged, so that each is logged once.
    std::string logged;
    bool race_world = false;
    // The service's answers when last shown, to change the widgets only when they change.
    unsigned shown_answers = 0;
    bool record_shown = false;
};
