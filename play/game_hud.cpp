#include "game_hud.h"

#include "challenge_run.h"
#include "hud_label.h"
#include "level/level.h"
#include "records/record_text.h"

#include <MyGUI_Gui.h>
#include <MyGUI_RenderManager.h>
#include <MyGUI_TextBox.h>

#include <cmath>

namespace {

// The counters' panel without and with the medal to aim for.
constexpr int panel_width = 410;
constexpr int panel_with_medal = 540;
constexpr int challenge_margin = 24;
constexpr int challenge_height = 52;

}

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

void game_hud::show_medal_target(MyGUI::Gui* gui, const medal_times& medals, medal best, double play_time)
{
    MyGUI::Widget* panel = gui ? gui->findWidgetT("hud_panel", false) : nullptr;
    MyGUI::Widget* icon = gui ? gui->findWidgetT("hud_medal_icon", false) : nullptr;
    auto* time = gui ? gui->findWidget<MyGUI::TextBox>("hud_medal_time", false) : nullptr;
    if (!panel || !icon || !time)
        return;
    const bool shown = medals.known();
    panel->setSize(shown ? panel_with_medal : panel_width, panel->getHeight());
    icon->setVisible(shown);
    time->setVisible(shown);
    if (!shown)
        return;
    const medal target = best == medal::gold ? medal::gold : medal_times::next(best);
    const long target_ms = medals.time_of(target);
    // A new skin rebuilds the widget: only when the medal changes.
    const std::string skin = medal_skin(target);
    if (icon->getUserString("skin") != skin) {
        icon->changeWidgetSkin(skin);
        icon->setUserString("skin", skin);
    }
    time->setCaption(medal_times::format_time(target_ms));
    const bool missed = std::lround(play_time * 1000) > target_ms;
    time->setTextColour(missed ? MyGUI::Colour(0.6f, 0.6f, 0.62f) : MyGUI::Colour::White);
    icon->setAlpha(missed ? 0.45f : 1.0f);
}

void game_hud::show_challenge(MyGUI::Gui* gui, const challenge_run& challenge, double play_time)
{
    if (!gui)
        return;
    // The screens replace every widget when they change: look it up each time.
    auto* words = gui->findWidget<MyGUI::TextBox>("challenge_text", false);
    const int bottom = MyGUI::RenderManager::getInstance().getViewSize().height - 12;
    if (!words)
        words = make_hud_label(*gui, "challenge_panel", "challenge_text",
                               MyGUI::IntCoord(12, bottom - challenge_height, 2 * challenge_margin, challenge_height),
                               MyGUI::Align::Left | MyGUI::Align::Bottom);
    words->setCaption(MyGUI::UString(challenge_line(challenge, play_time)));
    words->getParent()->setCoord(12, bottom - challenge_height, words->getTextSize().width + 2 * challenge_margin,
                                 challenge_height);
}

std::string game_hud::challenge_line(const challenge_run& challenge, double play_time)
{
    const int balls = challenge.get_balls();
    return "Level " + std::to_string(challenge.level_number()) + "/" + std::to_string(challenge.level_count()) +
           " \u00B7 " + std::to_string(balls) + (balls == 1 ? " ball" : " balls") + " \u00B7 " +
           play_time_text(std::lround(challenge.total_time(play_time) * 1000));
}

std::string game_hud::medal_skin(medal which)
{
    switch (which) {
    case medal::gold: return "MedalGold";
    case medal::silver: return "MedalSilver";
    case medal::bronze: return "MedalBronze";
    case medal::none: break;
    }
    return "";
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
