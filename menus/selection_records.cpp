#include "selection_records.h"

#include "records/record_text.h"

#include <MyGUI_Gui.h>
#include <MyGUI_TextBox.h>

std::string selection_records::list_line(const std::string& file, const std::string& name) const
{
    const level_record* record = records.record(file);
    return record && record->finished ? name + " \u2714" : name;
}

void selection_records::show(MyGUI::Gui& gui, const std::string& file)
{
    if (auto* best = gui.findWidget<MyGUI::TextBox>("level_best", false)) {
        const level_record* record = records.record(file);
        const std::string text = record ? best_text(*record) : "";
        best->setCaption(MyGUI::UString(text.empty() ? "Not finished yet" : "Best: " + text));
    }
    auto checked = watchable.find(file);
    if (checked == watchable.end()) {
        replay run;
        checked = watchable.emplace(file, records.best_replay(file, run)).first;
    }
    if (MyGUI::Widget* watch = gui.findWidgetT("level_watch", false))
        watch->setVisible(checked->second);
}
