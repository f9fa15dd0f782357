#include "obj_info.h"

#include "app/break_long_words.h"
#include "app/game_context.h"
#include "app/physics/physics_body.h"
#include "app/wrap_text.h"
#include "level/level.h"

#include <MyGUI_Gui.h>
#include <MyGUI_RenderManager.h>
#include <MyGUI_TextBox.h>

#include <tinyxml.h>

#include <algorithm>
#include <sstream>

namespace {

// The banner stays after the ball has left for long enough to look up from
// the course and read on: three seconds, and a quarter of a second a word
// (240 words a minute, an easy pace, as most was read while inside).
constexpr float linger_base = 3.0f;
constexpr float linger_per_word = 0.25f;
// Alpha per second: in quickly, the text after most of the backing; out
// gently.
constexpr float fade_in_rate = 3.0f;
constexpr float text_follows = 0.7f;
constexpr float fade_out_rate = 2.0f;

int word_count(const std::string& text)
{
    std::istringstream words(text);
    int count = 0;
    for (std::string word; words >> word;)
        ++count;
    return count;
}

}

obj_info::obj_info(level* owner, const TiXmlElement* element)
    : trigger_object(owner, element, true, "infobox.mesh", "")
{
    position.y += 5.0f;
    create_body(shape_desc::make_cube(5.0f, 5.0f, 5.0f));
    actor->raise_actor_flag(AF_DISABLE_COLLISION);
    create_trigger(Ogre::Vector3(5.0f, 5.0f, 5.0f));

    const char* raw = element ? element->GetText() : nullptr;
    text = wrap_text(raw ? raw : "", 140);
    line_count = int(text.size() / 140) + 1;
    linger_time = linger_base + linger_per_word * float(word_count(text));
    // The banner wraps to the window's width; breaks every 140 characters
    // on top of that would leave short orphan lines.
    create_banner(raw ? raw : "");
}

obj_info::~obj_info()
{
    remove();
}

void obj_info::create_banner(const std::string& shown)
{
    MyGUI::Gui* gui = owner->get_gui();
    // A sign without text shows no empty banner.
    if (!gui || shown.empty())
        return;
    // Across the window below the heads-up display, so that coins and time
    // stay readable, with the text wrapped to the window's width.
    const MyGUI::IntSize view = MyGUI::RenderManager::getInstance().getViewSize();
    const MyGUI::Widget* hud = gui->findWidgetT("hud_panel", false);
    const int top = hud ? hud->getAbsoluteRect().bottom + banner_margin : banner_margin;
    const int width = view.width - 2 * banner_margin;
    // Made first, so the text is drawn over it; sized to the text below.
    auto* panel = gui->createWidget<MyGUI::Widget>("BannerPanel", MyGUI::IntCoord(banner_margin, top, width, 0),
                                                   MyGUI::Align::Default, "Main");
    auto* label = gui->createWidget<MyGUI::TextBox>(
        "StaticText", MyGUI::IntCoord(banner_margin + text_inset, top + text_inset, width - 2 * text_inset, 0),
        MyGUI::Align::Default, "Main");
    label->setFontName("LinLib_20");
    label->setFontHeight(20);
    label->getSubWidgetText()->setWordWrap(true);
    label->setCaption(MyGUI::UString(break_long_words(shown, "LinLib_20", label->getWidth())));
    label->setTextColour(MyGUI::Colour(0.96f, 0.93f, 0.86f, 1.0f));
    const int text_height = label->getTextSize().height;
    label->setSize(label->getWidth(), text_height);
    panel->setSize(width, text_height + 2 * text_inset);
    panel->setNeedMouseFocus(false);
    label->setNeedMouseFocus(false);
    background = panel;
    caption = label;
    set_alphas(0.0f, 0.0f);
}

void obj_info::set_alphas(float image, float text_value)
{
    if (background)
        background->setAlpha(std::min(std::max(image, 0.0f), 1.0f));
    if (caption)
        caption->setAlpha(std::min(std::max(text_value, 0.0f), 1.0f));
}

bool obj_info::is_ball(physics_body& body) const
{
    const game_object* visitor = object_of(body);
    return visitor && visitor->type_name() == "player";
}

void obj_info::on_enter(physics_trigger&, physics_body& body)
{
    // A crate pushed through must not take the banner from the ball.
    if (!is_ball(body))
        return;
    const bool replacing = take_over_banner();
    // Back in while its banner still shows, or in place of another's: the
    // banner is read already, so it shows at once instead of blinking.
    image_alpha = text_alpha = phase != phase_type::hidden || replacing ? 1.0f : 0.0f;
    set_alphas(image_alpha, text_alpha);
    phase = phase_type::fading_in;
}

void obj_info::on_leave(physics_trigger&, physics_body& body)
{
    // A sign that gave way while the ball was inside stays hidden.
    if (!is_ball(body) || phase == phase_type::hidden)
        return;
    image_alpha = text_alpha = 1.0f;
    set_alphas(1.0f, 1.0f);
    phase = phase_type::lingering;
    linger_left = linger_time;
}

bool obj_info::take_over_banner()
{
    bool replaced = false;
    for (const auto& entry : owner->get_objects())
        if (entry.second != this && entry.second->type_name() == "infobox")
            replaced = static_cast<obj_info*>(entry.second)->give_way() || replaced;
    return replaced;
}

bool obj_info::give_way()
{
    const bool showed = phase != phase_type::hidden;
    phase = phase_type::hidden;
    image_alpha = text_alpha = 0.0f;
    set_alphas(0.0f, 0.0f);
    return showed;
}

void obj_info::update()
{
    const float t = context->frame_time;
    switch (phase) {
    case phase_type::hidden:
        return;
    case phase_type::fading_in:
        image_alpha = std::min(image_alpha + fade_in_rate * t, 1.0f);
        if (image_alpha >= text_follows)
            text_alpha = std::min(text_alpha + fade_in_rate * t, 1.0f);
        break;
    case phase_type::lingering:
        linger_left -= t;
        if (linger_left <= 0.0f)
            phase = phase_type::fading_out;
        break;
    case phase_type::fading_out:
        text_alpha = image_alpha = std::max(text_alpha - fade_out_rate * t, 0.0f);
        if (text_alpha == 0.0f)
            phase = phase_type::hidden;
        break;
    }
    set_alphas(image_alpha, text_alpha);
}

void obj_info::on_remove()
{
    destroy_trigger();
}
