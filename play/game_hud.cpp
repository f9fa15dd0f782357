#include "game_hud.h"

#include "level/level.h"

#include <MyGUI_Gui.h>
#include <MyGUI_TextBox.h>

void game_hud::show_captions(MyGUI::Gui* gui, const level& current, unsigned int total_seconds)
{
    if (!gui)
        return;
    set_caption(gui, "score_coins", std::to_string(static_cast<unsigned int>(current.get_score())));
    set_caption(gui, "coins_taken", std::to_string(current.get_coins_taken()));
    set_caption(gui, "coins_total", std::to_string(current.get_coin_total()));
    set_caption(gui, "time_seconds", two_digits(total_seconds % 60));
    set_caption(gui, "time_minutes", two_digits(total_seconds / 60));
}

std::string game_hud::two_digits(unsigned int value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

void game_hud::set_caption(MyGUI::Gui* gui, const std::string& widget, const std::string& text)
{
    if (auto* found = gui->findWidget<MyGUI::TextBox>(widget, false))
        found->setCaption(MyGUI::UString(text));
}
