#include "obj_info.h"

#include "app/break_long_words.h"
#include "app/game_context.h"
#include "app/physics/physics_body.h"
#include "app/wrap_text.h"
#include "level/level.h"

#include <MyGUI_Gui.h>
#include <MyGUI_TextBox.h>

#include <tinyxml.h>

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
    const MyGUI::IntSize view = gui->getViewSize();
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
    text_alpha = 0.0f;
    image_alpha = 0.0f;
    set_alphas(0.0f, 0.0f);
    fade_state = fading_in;
}

void obj_info::on_leave(physics_trigger&, physics_body& body)
{
    if (!is_ball(body))
        return;
    text_alpha = 1.0f;
    image_alpha = 1.0f;
    set_alphas(1.0f, 1.0f);
    fade_state = fading_out;
}

void obj_info::update()
{
    const float t = context->frame_time;
    if (fade_state & fading_in) {
        if (image_alpha < 1.0f) {
            image_alpha += 3.0f * t;
            set_alphas(image_alpha, text_alpha);
        }
        if (image_alpha >= 0.7f)
            fade_state |= text_fading_in;
    }
    if (fade_state & text_fading_in) {
        if (text_alpha < 1.0f) {
            text_alpha += 3.0f * t;
            set_alphas(image_alpha, text_alpha);
        } else {
            text_alpha = 1.0f;
            set_alphas(1.0f, 1.0f);
        }
    }
    if (fade_state & fading_out) {
        if (text_alpha > 0.0f) {
            text_alpha -= 2.0f * t;
            set_alphas(text_alpha, text_alpha);
        } else {
            text_alpha = 0.0f;
            image_alpha = 0.0f;
            set_alphas(0.0f, 0.0f);
        }
    }
}

void obj_info::on_remove()
{
    destroy_trigger();
}
