#include "screen_notice.h"

#include "app/break_long_words.h"

#include <MyGUI_Gui.h>
#include <MyGUI_RenderManager.h>
#include <MyGUI_TextBox.h>

#include <algorithm>
#include <iostream>

const std::string screen_notice::widget_name = "screen_notice";

namespace {

const int padding = 16;
// One line; a longer notice grows by whole lines.
const int height = 40;
// Below the menus' panels, a little above the window's edge.
const int bottom_margin = 24;

}

void screen_notice::show(MyGUI::Gui* gui, const std::string& line, float seconds)
{
    text = line;
    if (!gui) {
        std::cout << line << std::endl;
        return;
    }
    time_left = seconds;
    remove(gui);
    place(gui);
}

void screen_notice::hide(MyGUI::Gui* gui)
{
    time_left = 0.0f;
    remove(gui);
}

void screen_notice::update(MyGUI::Gui* gui, float frame_time)
{
    if (!is_shown())
        return;
    time_left -= frame_time;
    if (!gui)
        return;
    if (!is_shown())
        remove(gui);
    else if (!gui->findWidgetT(widget_name, false))
        place(gui);
}

void screen_notice::place(MyGUI::Gui* gui) const
{
    auto* panel = gui->createWidget<MyGUI::Widget>("BannerPanel", MyGUI::IntCoord(0, 0, 1, height),
                                                   MyGUI::Align::Default, "Popup", widget_name);
    panel->setNeedMouseFocus(false);
    auto* label = panel->createWidget<MyGUI::TextBox>("TextBox", MyGUI::IntCoord(padding, 0, 1, height),
                                                      MyGUI::Align::Default);
    label->setNeedMouseFocus(false);
    label->setTextAlign(MyGUI::Align::Left | MyGUI::Align::VCenter);
    // A notice wider than the window (a long folder) wraps instead.
    const MyGUI::IntSize view = MyGUI::RenderManager::getInstance().getViewSize();
    const int widest = view.width - 2 * (padding + bottom_margin);
    label->setCaption(MyGUI::UString(break_long_words(text, label->getFontName(), widest)));
    label->getSubWidgetText()->setWordWrap(true);
    label->setSize(widest, height);
    const MyGUI::IntSize measured = label->getTextSize();
    const int text_height = std::max(height, measured.height + padding);
    label->setSize(measured.width, text_height);
    const int width = measured.width + 2 * padding;
    panel->setCoord((view.width - width) / 2, view.height - text_height - bottom_margin, width, text_height);
}

void screen_notice::remove(MyGUI::Gui* gui)
{
    if (MyGUI::Widget* panel = gui ? gui->findWidgetT(widget_name, false) : nullptr)
        gui->destroyWidget(panel);
}
