#include "editor_panel.h"

#include <MyGUI.h>

#include <algorithm>

namespace {

constexpr int margin = 12;
constexpr int line_height = 22;
constexpr int attribute_width = 330;

}

editor_panel::~editor_panel()
{
    hide();
}

void editor_panel::set_gui(MyGUI::Gui* shown_on)
{
    gui = shown_on;
    hidden = false;
    draw();
}

void editor_panel::show_status(const std::string& key_line, const std::string& state)
{
    if (key_line == keys && state == status)
        return;
    keys = key_line;
    status = state;
    draw();
}

void editor_panel::show_attributes(const std::vector<std::string>& rows)
{
    if (rows == attributes)
        return;
    attributes = rows;
    draw();
}

void editor_panel::show_question(const std::string& asked)
{
    if (asked == question)
        return;
    question = asked;
    draw();
}

void editor_panel::hide()
{
    hidden = true;
    destroy("editor_status");
    destroy("editor_attributes");
    destroy("editor_question");
}

void editor_panel::destroy(const char* name)
{
    if (!gui)
        return;
    if (MyGUI::Widget* old = gui->findWidgetT(name, false))
        gui->destroyWidget(old);
}

void editor_panel::panel(const char* name, int left, int top, int width, int height, const std::string& text)
{
    destroy(name);
    if (text.empty())
        return;
    auto* strip = gui->createWidget<MyGUI::Widget>("BannerPanel", MyGUI::IntCoord(left, top, width, height),
                                                   MyGUI::Align::Default, "Main", name);
    auto* words = strip->createWidget<MyGUI::TextBox>(
        "StaticText", MyGUI::IntCoord(8, 6, width - 16, height - 12), MyGUI::Align::Stretch);
    words->setFontName("LinLib_16");
    // Values may hold a '#', which the GUI would take for a colour.
    words->setCaption(MyGUI::TextIterator::toTagsString(MyGUI::UString(text)));
}

void editor_panel::draw()
{
    if (!gui || hidden)
        return;
    const MyGUI::IntSize view = MyGUI::RenderManager::getInstance().getViewSize();
    // The keys take their lines, the state one more.
    const std::string strip = keys + "\n" + status;
    const int lines = 1 + int(std::count(strip.begin(), strip.end(), '\n'));
    panel("editor_status", margin, margin, view.width - 2 * margin, lines * line_height + 12, strip);
    std::string rows;
    for (const std::string& row : attributes)
        rows += (rows.empty() ? "" : "\n") + row;
    const int top = lines * line_height + 2 * margin;
    const int height = std::min(int(attributes.size()) * line_height + 12, view.height / 2);
    panel("editor_attributes", view.width - attribute_width - margin, top, attribute_width, height, rows);
    panel("editor_question", view.width / 6, view.height / 2 - 40, view.width * 2 / 3, 2 * line_height + 12,
          question);
}
