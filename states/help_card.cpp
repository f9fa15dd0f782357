#include "help_card.h"

#include "app/key_bindings.h"
#include "app/key_names.h"
#include "app/wrap_text.h"

#include <MyGUI.h>

namespace {

// Characters a line of the pictures' column holds at any window size.
constexpr int line_width = 38;
// Below this window height the card's body text is drawn smaller, or its
// rows would overlap.
constexpr int small_window = 700;

}

std::string help_controls_text(const key_bindings& keys)
{
    const auto name = [&keys](key_bindings::action a) { return key_name(keys.key(a)); };
    return "Roll the ball:  " + name(key_bindings::forward) + " " + name(key_bindings::left) + " " +
           name(key_bindings::backward) + " " + name(key_bindings::right) +
           "\nTurn the camera:  the mouse"
           "\nRaise or lower it:  the wheel"
           "\n\nIn-game menu:  " + name(key_bindings::menu) +
           "\nRestart the level:  " + name(key_bindings::restart) +
           "\nLeave the level:  " + name(key_bindings::leave) +
           "\nScreenshot:  " + name(key_bindings::screenshot) +
           "\n\nMenus:  arrow keys, Return, Escape"
           "\n\nGamepad:  left stick rolls, right stick"
           "\nturns and raises the camera, Start:"
           "\nmenu, d-pad and A / B:  menus"
           "\n\nDoors and switches match by colour"
           "\nand shape: red circle, blue square,"
           "\ngreen triangle, white star.";
}

void show_help(MyGUI::Gui& gui, const key_bindings& keys)
{
    MyGUI::LayoutManager::getInstance().loadLayout("help.layout");
    const bool small = MyGUI::RenderManager::getInstance().getViewSize().height < small_window;
    if (auto* controls = gui.findWidget<MyGUI::TextBox>("help_controls", false)) {
        controls->setCaption(MyGUI::UString(help_controls_text(keys)));
        if (small)
            controls->setFontName("LinLib_16");
    }
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
