#include "challenge_screen.h"

#include "records/record_text.h"
#include "selection_records.h"

#include <MyGUI_Button.h>
#include <MyGUI_Gui.h>
#include <MyGUI_LayoutManager.h>
#include <MyGUI_TextBox.h>

void challenge_screen::show(MyGUI::Gui& gui, const result& shown)
{
    gui.destroyAllChildWidget();
    MyGUI::LayoutManager::getInstance().loadLayout("challenge_over.layout");
    const auto set = [&](const char* name, const std::string& text) {
        if (auto* box = gui.findWidget<MyGUI::TextBox>(name, false))
            box->setCaption(MyGUI::UString(text));
    };
    set("challenge_heading", heading(shown));
    set("challenge_campaign", shown.campaign);
    set("challenge_reached", reached_line(shown));
    set("challenge_result", "Time " + play_time_text(shown.time_ms) + " \u00B7 " + std::to_string(shown.coins) +
                                (shown.coins == 1 ? " coin" : " coins"));
    set("challenge_record", record_line(shown));
    for (const char* button : {"back_main_menu", "challenge_again"})
        if (auto* found = gui.findWidget<MyGUI::Button>(button, false))
            found->eventMouseButtonClick += MyGUI::newDelegate(this, &challenge_screen::on_click);
}

std::string challenge_screen::heading(const result& shown)
{
    if (!shown.won)
        return "Challenge over";
    return shown.improved.new_best_time && !shown.improved.first_finish ? "New best challenge time!"
                                                                        : "Challenge complete!";
}

std::string challenge_screen::reached_line(const result& shown)
{
    if (shown.won)
        return "All " + std::to_string(shown.levels) + " levels in one go";
    return "Reached level " + std::to_string(shown.reached) + " of " + std::to_string(shown.levels) + ": " +
           shown.reached_name;
}

std::string challenge_screen::record_line(const result& shown)
{
    return "Your record: " + selection_records::challenge_text(&shown.record);
}

void challenge_screen::on_click(MyGUI::Widget* sender) { press(sender->getName()); }
