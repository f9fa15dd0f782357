#include "help_card.h"

#include "app/key_bindings.h"
#include "app/key_names.h"
#include "app/wrap_text.h"

#include <MyGUI.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

// Characters a line of the pictures' column holds at any window size.
constexpr int line_width = 38;
// Below this window height the card's body text is drawn smaller, or its
// rows would overlap.
constexpr int small_window = 700;

struct control_row {
    std::string what, key, pad;
};

std::string capitalised(std::string text)
{
    if (!text.empty())
        text[0] = char(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

// The pad's Start button stands for the menu key; the other keys of play
// have no button.
std::string pad_control(key_bindings::action a)
{
    if (a <= key_bindings::right)
        return "left stick";
    return a == key_bindings::menu ? "Start" : "";
}

std::vector<control_row> control_rows(const key_bindings& keys)
{
    std::vector<control_row> rows;
    for (int i = 0; i < key_bindings::action_count; ++i) {
        const auto a = key_bindings::action(i);
        rows.push_back({capitalised(key_bindings::description(a)), key_name(keys.key(a)), pad_control(a)});
        if (a == key_bindings::right) {
            rows.push_back({"Turn the camera", "mouse", "right stick"});
            rows.push_back({"Raise or lower it", "wheel", "right stick"});
        }
    }
    // The menus' own keys are fixed; the pad's buttons act as them.
    rows.push_back({"Choose in menus", "arrow keys", "d-pad"});
    rows.push_back({"Press a button", "Return", "A"});
    rows.push_back({"Go back", "Escape", "B"});
    return rows;
}

// One row a line, so the three columns line up.
void fill_column(MyGUI::Gui& gui, const std::string& name, const std::vector<control_row>& rows,
                 std::string control_row::*cell, bool small)
{
    auto* column = gui.findWidget<MyGUI::TextBox>(name, false);
    if (!column)
        return;
    std::string text;
    for (const control_row& row : rows)
        text += (text.empty() ? "" : "\n") + row.*cell;
    column->setCaption(MyGUI::UString(text));
    if (small)
        column->setFontName("LinLib_16");
}

void wrap_object_lines(MyGUI::Gui& gui, bool small)
{
    MyGUI::Widget* panel = gui.findWidgetT("help_panel", false);
    for (size_t i = 0; panel && i < panel->getChildCount(); ++i) {
        MyGUI::Widget* child = panel->getChildAt(i);
        if (child->getName().rfind("help_text_", 0) != 0)
            continue;
        auto* text = child->castType<MyGUI::TextBox>(false);
        if (!text)
            continue;
        text->setCaption(MyGUI::UString(wrap_text(text->getCaption().asUTF8(), line_width)));
        if (small)
            text->setFontName("LinLib_16");
    }
}

}

void show_help(MyGUI::Gui& gui, const key_bindings& keys)
{
    MyGUI::LayoutManager::getInstance().loadLayout("help.layout");
    const bool small = MyGUI::RenderManager::getInstance().getViewSize().height < small_window;
    const std::vector<control_row> rows = control_rows(keys);
    fill_column(gui, "help_controls_actions", rows, &control_row::what, small);
    fill_column(gui, "help_controls_keys", rows, &control_row::key, small);
    fill_column(gui, "help_controls_pad", rows, &control_row::pad, small);
    wrap_object_lines(gui, small);
}
