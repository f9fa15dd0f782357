#include "event_cues.h"

#include "hud_label.h"
#include "level/level.h"

#include <MyGUI_Gui.h>
#include <MyGUI_RenderManager.h>
#include <MyGUI_TextBox.h>

#include <algorithm>

namespace {

constexpr float seconds_shown = 1.5f;
constexpr float seconds_fading = 0.5f;
// The panel hugs its words, with this much room on each side.
constexpr int panel_margin = 28;
constexpr int panel_height = 52;
// The panel's top, as a share of the view's height.
constexpr float height_share = 0.64f;

std::string cue_for(const level_event& event, const level& lvl)
{
    switch (event.kind) {
    case level_event::checkpoint:
        return "Checkpoint";
    case level_event::coin:
    case level_event::blue_coin:
        return std::to_string(lvl.get_coins_taken()) + " / " + std::to_string(lvl.get_coin_total());
    case level_event::fall:
        return event.object.empty() ? "Back to the start" : "Back to the checkpoint";
    case level_event::door:
    case level_event::teleport:
    case level_event::speed_kick:
    case level_event::crumble:
    case level_event::scrape:
        break;
    }
    return "";
}

}

void event_cues::take(const level& lvl)
{
    for (const level_event& event : lvl.get_events()) {
        const std::string line = cue_for(event, lvl);
        if (!line.empty())
            show(line);
    }
}

MyGUI::Widget* event_cues::panel() const
{
    // The screens replace every widget when they change: look it up each time.
    return gui ? gui->findWidgetT("cue_panel", false) : nullptr;
}

void event_cues::show(const std::string& line)
{
    text = line;
    shown_for = 0.0f;
    if (!gui)
        return;
    MyGUI::Widget* shown = panel();
    const int top = int(MyGUI::RenderManager::getInstance().getViewSize().height * height_share);
    if (!shown)
        shown = make_hud_label(*gui, "cue_panel", "cue_text", MyGUI::IntCoord(0, top, 2 * panel_margin, panel_height),
                               MyGUI::Align::HCenter | MyGUI::Align::Top)
                    ->getParent();
    if (auto* words = gui->findWidget<MyGUI::TextBox>("cue_text", false)) {
        words->setCaption(MyGUI::UString(line));
        const int width = words->getTextSize().width + 2 * panel_margin;
        shown->setCoord((MyGUI::RenderManager::getInstance().getViewSize().width - width) / 2, top, width, panel_height);
    }
    shown->setAlpha(1.0f);
    shown->setVisible(true);
}

void event_cues::update(float dt)
{
    if (text.empty())
        return;
    shown_for += dt;
    MyGUI::Widget* shown = panel();
    if (shown_for >= seconds_shown + seconds_fading) {
        text.clear();
        if (shown)
            shown->setVisible(false);
    } else if (shown) {
        shown->setAlpha(std::clamp((seconds_shown + seconds_fading - shown_for) / seconds_fading, 0.0f, 1.0f));
    }
}
