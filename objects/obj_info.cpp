#include "obj_info.h"

#include "app/game_context.h"
#include "app/physics/physics_body.h"
#include "app/wrap_text.h"
#include "level/level.h"

#include <MyGUI_Gui.h>
#include <MyGUI_ImageBox.h>
#include <MyGUI_TextBox.h>
#include <OgreRenderWindow.h>

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
    create_banner();
}

obj_info::~obj_info()
{
    remove();
}

void obj_info::create_banner()
{
    MyGUI::Gui* gui = owner->get_gui();
    // A sign without text shows no empty banner.
    if (!gui || !context->window || text.empty())
        return;
    const int width = int(context->window->getWidth());
    auto* image = gui->createWidget<MyGUI::ImageBox>("StaticImage", MyGUI::IntCoord(0, 0, width, line_count * 22 + 10),
                                                     MyGUI::Align::Left | MyGUI::Align::Top, "Main");
    image->setImageTexture("level_back.png");
    auto* label = gui->createWidget<MyGUI::TextBox>("StaticText", MyGUI::IntCoord(10, 10, width, line_count * 20),
                                                    MyGUI::Align::Default, "Main");
    label->setFontName("LinLib_20");
    label->setFontHeight(20);
    label->setCaption(MyGUI::UString(text));
    label->setTextColour(MyGUI::Colour(0.8f, 0.8f, 0.8f, 1.0f));
    background = image;
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
