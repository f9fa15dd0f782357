#include "options_gameplay.h"

#include "app/game_context.h"

options_gameplay::options_gameplay(game_context& context, MyGUI::Gui& gui, screen_calls calls)
    : options_page(context, gui, "options_gameplay", 1, std::move(calls))
{
    add_row(0, 0, switch_row("ghost", "Ghost ball", context.settings.ghost, from_next_level));
    add_row(0, 1, switch_row("follow_camera", "Follow camera", context.settings.follow_camera, ""));
}
