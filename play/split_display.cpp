#include "split_display.h"

#include "hud_label.h"
#include "records/record_text.h"

#include <MyGUI_Gui.h>
#include <MyGUI_RenderManager.h>
#include <MyGUI_TextBox.h>

#include <cmath>

namespace {

constexpr float seconds_shown = 2.0f;
constexpr int panel_width = 150;
constexpr int panel_height = 52;

}

MyGUI::Colour split_display::colour_of(double gain)
{
    return std::round(gain * 100.0) < 0.0 ? MyGUI::Colour(0.45f, 0.95f, 0.45f) : MyGUI::Colour(1.0f, 0.5f, 0.42f);
}

MyGUI::Widget* split_display::panel() const
{
    // The screens replace every widget when they change: look it up each time.
    return gui->findWidgetT("split_panel", false);
}

void split_display::show(double gain)
{
    if (!gui)
        return;
    MyGUI::Widget* shown = panel();
    if (!shown) {
        // Top right: the counters hold the top left, info banners the strip below.
        const int left = MyGUI::RenderManager::getInstance().getViewSize().width - panel_width - 12;
        shown = make_hud_label(*gui, "split_panel", "split_time", MyGUI::IntCoord(left, 12, panel_width, panel_height),
                               MyGUI::Align::Right | MyGUI::Align::Top)
                    ->getParent();
    }
    if (auto* text = gui->findWidget<MyGUI::TextBox>("split_time", false)) {
        text->setCaption(MyGUI::UString(gain_text(gain)));
        text->setTextColour(colour_of(gain));
    }
    shown->setVisible(true);
    shown_for = 0.0f;
}

void split_display::update(float dt)
{
    if (!gui)
        return;
    shown_for += dt;
    if (MyGUI::Widget* shown = panel(); shown && shown_for >= seconds_shown)
        shown->setVisible(false);
}
