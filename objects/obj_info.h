#pragma once

// A hint sign: when the ball enters its box a banner with the element's text
// fades in across the window, below the heads-up display, and fades out when
// it leaves; other bodies passing through change nothing. The box does not
// block the ball. The banner is light text on a dark backing, wrapped to the
// window's width and as high as its text. It is drawn on the level's GUI;
// with no GUI, or no text, the sign still notices the ball and draws nothing.

#include "level/trigger_object.h"

namespace MyGUI {
class TextBox;
class Widget;
}

class obj_info : public trigger_object {
public:
    obj_info(level* owner, const TiXmlElement* element);
    ~obj_info() override;

    std::string type_name() const override { return "infobox"; }
    bool acts_each_frame() const override { return true; }
    void update() override;
    void on_remove() override;
    void on_enter(physics_trigger& trigger, physics_body& body) override;
    void on_leave(physics_trigger& trigger, physics_body& body) override;

    const std::string& get_text() const { return text; }
    int get_line_count() const { return line_count; }
    float get_image_alpha() const { return image_alpha; }
    float get_text_alpha() const { return text_alpha; }
    MyGUI::Widget* get_background() const { return background; }
    MyGUI::TextBox* get_caption() const { return caption; }

private:
    bool is_ball(physics_body& body) const;
    void create_banner(const std::string& shown);
    void set_alphas(float image, float caption);

    // Pixels between the banner and the window's edges and the display above,
    // and between the banner's edge and its text.
    static constexpr int banner_margin = 12;
    static constexpr int text_inset = 12;

    static constexpr unsigned short fading_in = 1;
    static constexpr unsigned short text_fading_in = 2;
    static constexpr unsigned short fading_out = 4;

    std::string text;
    int line_count = 0;
    unsigned short fade_state = 0;
    float image_alpha = 0.0f;
    float text_alpha = 0.0f;
    MyGUI::Widget* background = nullptr;
    MyGUI::TextBox* caption = nullptr;
};
