#include "options_sound.h"

#include "app/game_context.h"

options_sound::options_sound(game_context& context, MyGUI::Gui& gui, screen_calls calls)
    : options_page(context, gui, "options_sound", 1, std::move(calls))
{
    game_settings& s = context.settings;
    add_row(0, 0, percent_row("music_volume", "Music volume", s.music_volume, 0, 100, ""));
    add_row(0, 1, switch_row("music", "Music", s.music, ""));
    add_row(0, 2, percent_row("effects_volume", "Effects volume", s.effects_volume, 0, 100, ""));
}
