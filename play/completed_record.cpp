#include "completed_record.h"

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
}
