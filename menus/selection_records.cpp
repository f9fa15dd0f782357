#include "selection_records.h"

#include "records/gold_run.h"
#include "records/record_text.h"

#include <MyGUI_Button.h>
#include <MyGUI_Gui.h>
#include <MyGUI_TextBox.h>

namespace {

void set_visible(MyGUI::Gui& gui, const std::string& name, bool visible)
{
    if (MyGUI::Widget* widget = gui.findWidgetT(name, false))
        widget->setVisible(visible);
}

}

std::string selection_records::list_line(const std::string& file, const std::string& name) const
{
    const level_record* record = records.record(file);
    if (!record || !record->finished)
        return name;
    if (record->best_medal == medal::none)
        return name + " \u2714";
    return name + " " + medal_colour(record->best_medal) + "\u25CF";
}

const char* selection_records::medal_colour(medal which)
{
    switch (which) {
    case medal::gold: return "#FFC83C";
    case medal::silver: return "#C8CDD6";
    case medal::bronze: return "#D08448";
    case medal::none: break;
    }
    return "";
}

void selection_records::show(MyGUI::Gui& gui, const std::string& file, const medal_times& medals, bool race_gold)
{
    const level_record* record = records.record(file);
    if (auto* best = gui.findWidget<MyGUI::TextBox>("level_best", false)) {
        const std::string text = record ? best_text(*record) : "";
        best->setCaption(MyGUI::UString(text.empty() ? "Not finished yet" : "Best: " + text));
    }
    for (const medal which : {medal::gold, medal::silver, medal::bronze}) {
        const std::string name = std::string("level_medal_") + medal_times::name(which);
        set_visible(gui, name + "_icon", medals.known());
        set_visible(gui, name, medals.known());
        if (auto* time = gui.findWidget<MyGUI::TextBox>(name, false); time && medals.known())
            time->setCaption(medal_times::format_time(medals.time_of(which)) + " s");
    }
    const bool has_best = can_watch(watchable, file, false);
    const bool has_gold = can_watch(gold_watchable, file, true);
    set_visible(gui, "level_watch", has_best);
    set_visible(gui, "level_watch_gold", has_gold);
    set_visible(gui, "level_ghost", has_gold);
    // Without a best run of one's own the gold run is the only ghost.
    if (auto* ghost = gui.findWidget<MyGUI::Button>("level_ghost", false)) {
        ghost->setEnabled(has_best);
        ghost->setCaption(race_gold || !has_best ? "Race: gold run" : "Race: your best");
    }
}

void selection_records::show_challenge(MyGUI::Gui& gui, const std::string& campaign) const
{
    if (auto* best = gui.findWidget<MyGUI::TextBox>("challenge_best", false))
        best->setCaption(MyGUI::UString(challenge_text(records.challenge(campaign))));
}

std::string selection_records::challenge_text(const level_record* record)
{
    if (!record)
        return "Not tried yet";
    const std::string coins = std::to_string(std::max(record->most_coins, 0)) + " coins";
    if (record->best_time_ms >= 0)
        return "Best " + play_time_text(record->best_time_ms) + " \u00B7 " + coins;
    return "Furthest: level " + std::to_string(record->furthest_level) + " \u00B7 " + coins;
}

bool selection_records::can_watch(std::map<std::string, bool>& checked, const std::string& file, bool gold) const
{
    auto found = checked.find(file);
    if (found == checked.end()) {
        replay run;
        found = checked.emplace(file, gold ? gold_run::find(file, run) : records.best_replay(file, run)).first;
    }
    return found->second;
}
