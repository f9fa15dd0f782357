#include "key_rebinding.h"

#include "app/game_context.h"
#include "app/input_manager.h"
#include "app/key_names.h"

#include <MyGUI.h>

key_rebinding::key_rebinding(game_context& context, MyGUI::Gui& gui, screen_calls calls)
    : context(context), gui(gui), calls(std::move(calls))
{
}

void key_rebinding::listen(MyGUI::Button& button)
{
    button.setNeedKeyFocus(true);
    button.eventKeyButtonPressed += MyGUI::newDelegate(this, &key_rebinding::on_key_pressed);
    button.eventKeyButtonReleased += MyGUI::newDelegate(this, &key_rebinding::on_key_released);
    button.eventKeyLostFocus += MyGUI::newDelegate(this, &key_rebinding::on_key_focus_lost);
}

void key_rebinding::await(key_bindings::action action)
{
    // Focus first: the button that loses it would end the wait.
    const std::string name = std::string("option_") + key_bindings::setting_name(action);
    MyGUI::InputManager::getInstance().setKeyFocusWidget(gui.findWidgetT(name, false));
    awaited = action;
    calls.say(std::string("Press the new key ") + key_bindings::purpose(action) + ".");
}

void key_rebinding::show_waiting() const
{
    if (awaited != key_bindings::action_count)
        if (auto* button =
                gui.findWidget<MyGUI::TextBox>(std::string("option_") + key_bindings::setting_name(awaited), false))
            button->setCaption(MyGUI::UString("Press a key"));
}

void key_rebinding::on_key_pressed(MyGUI::Widget*, MyGUI::KeyCode key, MyGUI::Char)
{
    take_key(key.getValue());
}

void key_rebinding::take_key(int key)
{
    if (awaited == key_bindings::action_count)
        return;
    const key_bindings::action action = awaited;
    awaited = key_bindings::action_count;
    held = key;
    key_bindings& keys = context.settings.keys;
    const key_code code = key_code(key);
    // The key answered the question: an arrow or Return must not also move
    // or press the menu's highlight.
    if (context.input)
        context.input->consume_press(code);
    key_code named;
    if (!key_from_name(key_name(code), named) || named != code) {
        calls.say("That key cannot be bound.");
        return;
    }
    const key_bindings::action owner = keys.bound_to(code);
    if (owner != key_bindings::action_count && owner != action) {
        calls.say(key_name(code) + " is already used " + key_bindings::purpose(owner) + ".");
        return;
    }
    rebound = rebound || keys.key(action) != code;
    keys.bind(action, code);
    calls.bound();
}

void key_rebinding::on_key_released(MyGUI::Widget*, MyGUI::KeyCode key)
{
    if (key.getValue() == held)
        held = 0;
}

void key_rebinding::on_key_focus_lost(MyGUI::Widget*, MyGUI::Widget*)
{
    // The key may be let go where nobody hears it.
    held = 0;
    if (awaited == key_bindings::action_count)
        return;
    awaited = key_bindings::action_count;
    calls.say("");
}

void key_rebinding::reset_keys()
{
    const key_bindings defaults;
    rebound = rebound || context.settings.keys.all() != defaults.all();
    context.settings.keys = defaults;
}
