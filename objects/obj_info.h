#pragma once

// A hint sign: when the ball enters its box a banner with the element's text
// fades in across the window, below the heads-up display. It stays while the
// ball is inside and for a while after it leaves, long enough to read the
// rest (longer for a longer text), then fades out. A sign the ball enters
// while another one's banner shows takes its place at once. Other bodies
// passing through change nothing. The box does not block the ball. The
// banner is light text on a dark backing, wrapped to the window's width and
// as high as its text. It is drawn on the level's GUI; with no GUI, or no
// text, the sign still notices the ball and draws nothing.

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
    // Seconds the banner stays at full strength once the ball has left.
    float get_linger_time() const { return linger_time; }
    MyGUI::Widget* get_background() const { return background; }
    MyGUI::TextBox* get_caption() const { return caption; }

private:
    enum class phase_type { hidden, fading_in, lingering, fading_out };

    bool is_ball(physics_body& body) const;
    void create_banner(const std::string& shown);
    void set_alphas(float image, float caption);
    // Hides this sign's banner at once for another sign's; whether it showed.
    bool give_way();
    // Whether another sign's banner showed and gave way to this one.
    bool take_over_banner();

    // Pixels between the banner and the window's edges and the display above,
    // and between the banner's edge and its text.
    static constexpr int banner_margin = 12;
    static constexpr int text_inset = 12;

    std::string text;
    int line_count = 0;
    phase_type phase = phase_type::hidden;
    float linger_time = 0.0f;
    float linger_left = 0.0f;
    float image_alpha = 0.0f;
    float text_alpha = 0.0f;
    MyGUI::Widget* background = nullptr;
    MyGUI::TextBox* caption = nullptr;
};
