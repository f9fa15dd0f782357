#include "hud_label.h"

#include <MyGUI_Gui.h>
#include <MyGUI_TextBox.h>

MyGUI::TextBox* make_hud_label(MyGUI::Gui& gui, const std::string& panel, const std::string& text,
                               const MyGUI::IntCoord& at, MyGUI::Align align)
{
    auto* shown = gui.createWidget<MyGUI::Widget>("HudPanel", at, align, "Main", panel);
    shown->setNeedMouseFocus(false);
    auto* words = shown->createWidget<MyGUI::TextBox>("HudValue", MyGUI::IntCoord(0, 6, at.width, 40),
                                                       MyGUI::Align::Stretch, text);
    words->setTextAlign(MyGUI::Align::Center);
    words->setNeedMouseFocus(false);
    return words;
}
