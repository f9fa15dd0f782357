#include "start_card.h"

#include "level/level.h"
#include "records/progress_store.h"
#include "records/record_text.h"

#include <MyGUI_Gui.h>
#include <MyGUI_TextBox.h>

namespace {

void set_text(MyGUI::Gui& gui, const std::string& widget, const std::string& text)
{
    if (auto* box = gui.findWidget<MyGUI::TextBox>(widget, false))
        box->setCaption(MyGUI::UString(text));
}

}

start_card::start_card(const std::string& level_file, const medal_times& medals, const level_record* record)
{
    std::string description;
    level::read_level_info(level_file, name, description);
    if (name.empty())
        name = level_file;
    best = record && record->best_time_ms >= 0 ? "Best " + play_time_text(record->best_time_ms) : "No best time yet";
    if (medals.known()) {
        gold = play_time_text(medals.gold_ms);
        silver = play_time_text(medals.silver_ms);
        bronze = play_time_text(medals.bronze_ms);
    }
}

void start_card::show(MyGUI::Gui& gui) const
{
    set_text(gui, "start_card_name", name);
    set_text(gui, "start_card_best", best);
    set_text(gui, "start_card_gold", gold);
    set_text(gui, "start_card_silver", silver);
    set_text(gui, "start_card_bronze", bronze);
    MyGUI::Widget* medals = gui.findWidgetT("start_card_medals", false);
    MyGUI::Widget* panel = gui.findWidgetT("start_card", false);
    if (!medals || !panel || !gold.empty())
        return;
    // Without medals the card ends below the best time, still in the middle.
    medals->setVisible(false);
    const int cut = panel->getHeight() - medals->getTop();
    panel->setCoord(panel->getLeft(), panel->getTop() + cut / 2, panel->getWidth(), panel->getHeight() - cut);
}
