#include "difficulty_marks.h"

#include "records/difficulty.h"
#include "level/level_files.h"
#include "records/gold_run.h"

#include <MyGUI_Gui.h>
#include <MyGUI_TextBox.h>

namespace {

constexpr int most_marks = 5;

// Left of the preview, in the panel's proportions.
MyGUI::TextBox* make_text(MyGUI::Widget* panel, const std::string& name, const MyGUI::FloatCoord& at)
{
    if (!panel)
        return nullptr;
    if (auto* made = panel->findWidget(name))
        return made->castType<MyGUI::TextBox>(false);
    auto* text = panel->createWidgetReal<MyGUI::TextBox>("LabelText", at, MyGUI::Align::Default, name);
    text->setTextAlign(MyGUI::Align::Left | MyGUI::Align::VCenter);
    text->setNeedMouseFocus(false);
    return text;
}

}

difficulty_marks::difficulty_marks(MyGUI::Gui& gui)
{
    MyGUI::Widget* panel = gui.findWidgetT("level_selection_panel", false);
    label = make_text(panel, "level_difficulty_label", {0.345f, 0.24f, 0.17f, 0.05f});
    marks = make_text(panel, "level_difficulty", {0.345f, 0.29f, 0.17f, 0.06f});
    if (label)
        label->setCaption("Difficulty");
}

std::string difficulty_marks::marks_text(int count)
{
    // The font has the disc the medals use: the marks are lit, the rest dim.
    std::string text = "#E8743B";
    for (int i = 0; i < most_marks; ++i)
        text += std::string(i == count ? "#8A8F99" : "") + "\u25CF";
    return text;
}

int difficulty_marks::marks_of(const std::string& level_file)
{
    auto found = known.find(level_file);
    if (found == known.end()) {
        replay run;
        const bool has_run = gold_run::find(level_file, run);
        const int checkpoints = has_run ? difficulty::checkpoints_in(level_files::path_of(level_file)) : 0;
        found = known.emplace(level_file, has_run ? difficulty::marks(difficulty::of(run, checkpoints)) : 0).first;
    }
    return found->second;
}

void difficulty_marks::show(const std::string& level_file)
{
    const int count = marks_of(level_file);
    if (label)
        label->setVisible(count > 0);
    if (marks) {
        marks->setVisible(count > 0);
        marks->setCaption(MyGUI::UString(marks_text(count)));
    }
}
