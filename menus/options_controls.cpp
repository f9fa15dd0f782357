#include "options_controls.h"

#include "app/game_context.h"
#include "app/key_names.h"
#include "key_rebinding.h"

#include <MyGUI.h>

#include <cctype>

options_controls::options_controls(game_context& context, MyGUI::Gui& gui, screen_calls calls, key_rebinding& keys)
    : options_page(context, gui, "options_controls", 2, std::move(calls)), keys(keys)
{
    for (int a = 0; a < key_bindings::action_count; ++a)
        add_key_row(a, key_bindings::action(a));
    game_settings& s = context.settings;
    const int least = game_settings::least_speed, most = game_settings::most_speed;
    add_row(1, 0, percent_row("mouse_sensitivity", "Mouse turning", s.mouse_sensitivity, least, most, ""));
    add_row(1, 1, switch_row("invert_mouse", "Invert turning", s.invert_mouse, ""));
    add_row(1, 2, percent_row("wheel_speed", "Wheel speed", s.wheel_speed, least, most, ""));
    if (page) {
        const int height = row_height();
        add_button("options_reset_controls",
                   {page->getWidth() * 5 / 8, height * 4, page->getWidth() * 5 / 16, height - 10},
                   "Reset to defaults", [this] { reset(); });
    }
}

void options_controls::add_key_row(int line, key_bindings::action action)
{
    const std::string setting = key_bindings::setting_name(action);
    std::string label = key_bindings::description(action);
    label[0] = char(std::toupper(static_cast<unsigned char>(label[0])));
    row r{setting, label, [this, action] { return key_name(context.settings.keys.key(action)); },
          [this, action](int) { keys.await(action); }, false, ""};
    r.changes_at_once = false;
    add_row(0, line, r);
    if (auto* button = gui.findWidget<MyGUI::Button>("option_" + setting, false))
        keys.listen(*button);
}

void options_controls::reset()
{
    const game_settings defaults;
    game_settings& s = context.settings;
    keys.reset_keys();
    s.mouse_sensitivity = defaults.mouse_sensitivity;
    s.invert_mouse = defaults.invert_mouse;
    s.wheel_speed = defaults.wheel_speed;
    changed("The keys and the mouse are as they first were.");
}
