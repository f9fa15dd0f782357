#include "world_board.h"

#include "app/log.h"
#include "online/online_service.h"
#include "records/best_runs.h"
#include "records/record_text.h"

#include <MyGUI.h>

#include <cmath>

namespace {

const std::string board_widget = "level_world_board";

}

void world_board::show(MyGUI::Gui& gui, online_service* online, const std::string& level_file, bool race_world)
{
    this->gui = &gui;
    this->online = online && online->active() ? online : nullptr;
    this->race_world = race_world;
    record_shown = false;
    for (const std::string& name : {board_widget, board_widget + "_more"})
        if (MyGUI::Widget* old = gui.findWidgetT(name, false))
            gui.destroyWidget(old);
    if (MyGUI::Widget* description = gui.findWidgetT("level_description", false))
        description->setVisible(true);
    if (!this->online)
        return;
    this->level_file = level_file;
    level_hash = best_runs::level_hash(level_file);
    show_now();
}

void world_board::frame()
{
    if (!online)
        return;
    // Asks again once the board is old.
    online->board(level_hash);
    if (online->answers() != shown_answers)
        show_now();
}

bool world_board::has_world_record() const
{
    replay run;
    return online && online->world_record(level_hash, run);
}

std::string world_board::heading(const level_board& board, const std::string& player)
{
    std::string text = "World top 10";
    if (board.rank_known && board.rank.ranked)
        text += " \u00B7 " + player + ": #" + std::to_string(board.rank.rank) + " of " + std::to_string(board.rank.of);
    else if (board.rank_known)
        text += " \u00B7 " + player + ": not ranked yet";
    if (board.top.empty())
        text += "\nNo runs yet: be the first.";
    return text;
}

std::string world_board::column(const level_board& board, size_t first)
{
    std::string text;
    for (size_t i = first; i < board.top.size() && i < first + 5; ++i) {
        const board_run& run = board.top[i];
        text += (text.empty() ? "" : "\n") + std::to_string(run.rank) + "  " + run.player + "  " +
                play_time_text(std::lround(run.time * 1000.0));
    }
    return text;
}

void world_board::show_now()
{
    const level_board* board = online->board(level_hash);
    shown_answers = online->answers();
    record_shown = has_world_record();
    if (MyGUI::Widget* watch = gui->findWidgetT("level_watch_world", false))
        watch->setVisible(record_shown);
    if (auto* ghost = gui->findWidget<MyGUI::Button>("level_ghost", false); ghost && record_shown) {
        ghost->setVisible(true);
        ghost->setEnabled(true);
        if (race_world)
            ghost->setCaption("Race: world record");
    }
    auto* description = gui->findWidget<MyGUI::TextBox>("level_description", false);
    if (!board || !description)
        return;
    description->setVisible(false);
    const std::string player = online->settings().player_name;
    if (board->rank_known && board->rank.ranked) {
        const std::string line = "World top 10 of " + level_file + ": " + player + " is #" +
                                 std::to_string(board->rank.rank) + " of " + std::to_string(board->rank.of);
        if (line != logged)
            log_line(line);
        logged = line;
    }
    show_text(board_widget, 0, heading(*board, player) + (board->top.empty() ? "" : "\n" + column(*board, 0)));
    show_text(board_widget + "_more", 1, board->top.size() > 5 ? "\n" + column(*board, 5) : "");
}

void world_board::show_text(const std::string& widget, int column, const std::string& text)
{
    auto* description = gui->findWidget<MyGUI::TextBox>("level_description", false);
    auto* shown_text = gui->findWidget<MyGUI::TextBox>(widget, false);
    if (!shown_text) {
        MyGUI::IntCoord place = description->getCoord();
        place.width /= 2;
        place.left += column * place.width;
        shown_text = description->getParent()->createWidget<MyGUI::TextBox>("LabelText", place, MyGUI::Align::Default,
                                                                           widget);
        shown_text->setTextAlign(MyGUI::Align::Left | MyGUI::Align::Top);
        shown_text->setNeedMouseFocus(false);
    }
    // A '#' in a name would start one of MyGUI's colour tags.
    shown_text->setCaption(MyGUI::TextIterator::toTagsString(MyGUI::UString(text)));
}
