#include "completed_record.h"

#include "game_hud.h"
#include "records/record_text.h"
#include "split_display.h"

#include <MyGUI_Gui.h>
#include <MyGUI_TextBox.h>

namespace {

void set_text(MyGUI::Gui& gui, const std::string& name, const std::string& text)
{
    if (auto* box = gui.findWidget<MyGUI::TextBox>(name, false))
        box->setCaption(MyGUI::UString(text));
}

std::string heading_for(const progress_store::outcome& improved)
{
    // A first finish is a best of course; it is the level complete that counts.
    if (improved.first_finish)
        return "Level complete";
    if (improved.new_best_time)
        return "New best time!";
    if (improved.new_most_coins)
        return "Most coins yet!";
    return "Level complete";
}

}

void show_completed_record(MyGUI::Gui& gui, const run_outcome& result, bool offer_race)
{
    set_text(gui, "completed_heading", heading_for(result.improved));
    set_text(gui, "best_record", best_text(result.best));
    if (result.raced) {
        set_text(gui, "best_gain", gain_text(result.gain));
        if (auto* gain = gui.findWidget<MyGUI::TextBox>("best_gain", false))
            gain->setTextColour(split_display::colour_of(result.gain));
    }
    if (MyGUI::Widget* race = gui.findWidgetT("race_ghost", false))
        race->setVisible(offer_race && result.new_ghost);
    set_text(gui, "medal_note", medal_note(result));
    if (MyGUI::Widget* picture = gui.findWidgetT("completed_flag", false); picture && result.earned != medal::none)
        picture->changeWidgetSkin(game_hud::medal_skin(result.earned));
}

std::string medal_note(const run_outcome& result)
{
    if (!result.medals.known())
        return "";
    const auto time_of = [&](medal which) { return medal_times::format_time(result.medals.time_of(which)) + " s"; };
    switch (result.earned) {
    case medal::gold: return "Gold medal! As fast as the gold run: " + time_of(medal::gold);
    case medal::silver: return "Silver medal! Gold at " + time_of(medal::gold);
    case medal::bronze: return "Bronze medal! Silver at " + time_of(medal::silver);
    case medal::none: break;
    }
    return "No medal yet. Bronze at " + time_of(medal::bronze);
}
