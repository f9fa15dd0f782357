#include "replay_controls.h"

#include "app/input_manager.h"
#include "hud_label.h"

#include <MyGUI_Gui.h>
#include <MyGUI_RenderManager.h>
#include <MyGUI_TextBox.h>

namespace {

// Bottom right: the counters hold the top left, info banners the strip
// below them, cues the middle, and a watched run shows no split times.
constexpr int panel_width = 300;
constexpr int panel_height = 100;
constexpr int margin = 12;
const char* const keys_hint = "Space: pause    F held: fast\nEscape: back";

}

replay_controls::replay_controls(input_manager& input, MyGUI::Gui* gui) : input(input), gui(gui)
{
    keys.bind_key(KC_F, [this](float) { fast = true; });
    input.add_listener(keys);
}

replay_controls::~replay_controls()
{
    input.remove_listener(keys);
}

float replay_controls::speed()
{
    // Taps come from the buffered presses: a short one is never lost.
    for (const key_code key : input.presses())
        if (key == KC_SPACE || key == KC_P)
            paused = !paused;
    const float result = paused ? 0.0f : fast ? fast_forward : 1.0f;
    fast = false;
    show(result);
    return result;
}

std::string replay_controls::label_of(float speed)
{
    if (speed == 0.0f)
        return "Replay \u2013 paused";
    return speed > 1.0f ? "Replay \u00d74" : "Replay";
}

void replay_controls::show(float speed)
{
    if (!gui)
        return;
    // The screens replace every widget when they change: look it up each time.
    auto* label = gui->findWidget<MyGUI::TextBox>("replay_label", false);
    if (!label) {
        const MyGUI::IntSize view = MyGUI::RenderManager::getInstance().getViewSize();
        label = make_hud_label(*gui, "replay_panel", "replay_label",
                               MyGUI::IntCoord(view.width - panel_width - margin, view.height - panel_height - margin,
                                               panel_width, panel_height),
                               MyGUI::Align::Right | MyGUI::Align::Bottom);
        auto* hint = label->getParent()->createWidget<MyGUI::TextBox>(
            "LabelText", MyGUI::IntCoord(0, 42, panel_width, 52), MyGUI::Align::Stretch, "replay_keys");
        hint->setTextAlign(MyGUI::Align::Center);
        hint->setNeedMouseFocus(false);
        hint->setCaption(keys_hint);
    }
    label->setCaption(MyGUI::UString(label_of(speed)));
}
