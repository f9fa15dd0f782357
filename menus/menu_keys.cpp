#include "menu_keys.h"

#include "app/input_manager.h"
#include "app/key_bindings.h"
#include "app/key_names.h"

#include <MyGUI_Gui.h>
#include <MyGUI_TextBox.h>

namespace {

std::string keys_text(const key_bindings& keys)
{
    const auto name = [&keys](key_bindings::action a) { return key_name(keys.key(a)); };
    // Four short lines: keys with long names still fit a small window.
    return "Roll  " + name(key_bindings::forward) + " " + name(key_bindings::left) + " " +
           name(key_bindings::backward) + " " + name(key_bindings::right) + "\nRestart  " +
           name(key_bindings::restart) + "   \u2022   Leave  " + name(key_bindings::leave) + "\nScreenshot  " +
           name(key_bindings::screenshot) + "   \u2022   Menu  " + name(key_bindings::menu) +
           "\nMouse turns the camera, the wheel raises it";
}

}

void show_menu_keys(MyGUI::Gui& gui, const key_bindings& keys, input_manager& input)
{
    if (auto* text = gui.findWidget<MyGUI::TextBox>("menu_keys", false))
        text->setCaption(MyGUI::UString(keys_text(keys)));
    if (MyGUI::Widget* resume = gui.findWidgetT("resume_game", false)) {
        const MyGUI::IntCoord at = resume->getAbsoluteCoord();
        input.move_pointer(at.left + at.width / 2, at.top + at.height / 2);
    }
}
