#include "selection_records.h"

#include "level_entry.h"
#include "record_text.h"

#include <MyGUI_Gui.h>
#include <MyGUI_TextBox.h>

std::string selection_records::list_line(const level_entry& entry) const
{
    const level_record* record = records.record(entry.get_file_name());
    return record && record->finished ? entry.get_short_name() + " \u2714" : entry.get_short_name();
}

void selection_records::show(MyGUI::Gui& gui, const level_entry& entry)
{
    const std::string& file = entry.get_file_name();
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
