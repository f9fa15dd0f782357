#include "app/physics/physics_body.h"
#include "app/wrap_text.h"
#include "objects/obj_info.h"
#include "objects/obj_player.h"
#include "support/headless_gui.h"
#include "support/level_fixture.h"

#include <MyGUI.h>

#include <algorithm>

TEST(wrap_text, breaks_after_the_first_blank_at_or_after_each_multiple)
{
    std::string text;
    for (int i = 0; i < 24; ++i)
        text += "word ";
    text.resize(120);
    const std::string wrapped = wrap_text(text, 50);
    EXPECT_EQ(std::count(wrapped.begin(), wrapped.end(), '\n'), 2);
    // "word word ...": the blanks at or after 50 and (in the grown text) 100.
    EXPECT_EQ(wrapped.find('\n'), 55u);
    EXPECT_EQ(wrapped.find('\n', 56), 101u);
    EXPECT_EQ(wrap_text(std::string(120, 'x'), 50), std::string(120, 'x'));
    EXPECT_EQ(wrap_text("short", 50), "short");
}

namespace {

class info_box : public level_fixture {
protected:
    std::unique_ptr<level> box_level(const std::string& text)
    {
        return load_course("<Object type=\"start\" pos=\"0 100 0\"/><Object type=\"infobox\" id=\"sign\" pos=\"0 50 0\">" +
                           text + "</Object>");
    }
    obj_info* sign(level& lvl) { return static_cast<obj_info*>(lvl.find_object("sign")); }
    void enter(level& lvl)
    {
        lvl.get_player()->get_actor()->raise_body_flag(BF_DISABLE_GRAVITY);
        lvl.get_player()->set_fall_reference_height(50.0f);
        lvl.get_player()->get_actor()->set_position(Ogre::Vector3(0, 55, 0));
    }
    void leave(level& lvl) { lvl.get_player()->get_actor()->set_position(Ogre::Vector3(0, 80, 0)); }
};

std::string words(size_t length)
{
    std::string text;
    while (text.size() < length)
        text += "abcd ";
    text.resize(length);
    return text;
}

}

TEST_F(info_box, counts_banner_lines_from_the_wrapped_text)
{
    auto one = box_level(words(139));
    EXPECT_EQ(sign(*one)->get_line_count(), 1);
    one.reset();
    auto three = box_level(words(300));
    EXPECT_EQ(sign(*three)->get_line_count(), 3);
    EXPECT_LE(std::count(sign(*three)->get_text().begin(), sign(*three)->get_text().end(), '\n'), 2);
}

TEST_F(info_box, fades_in_on_entry_and_stays_a_while_after_the_ball_leaves)
{
    auto lvl = box_level("Roll on.");
    EXPECT_EQ(sign(*lvl)->get_position(), Ogre::Vector3(0, 55, 0));
    enter(*lvl);
    run(*lvl, 0.2f, 100.0f);
    EXPECT_GT(sign(*lvl)->get_image_alpha(), 0.5f);
    EXPECT_LT(sign(*lvl)->get_text_alpha(), 0.5f);
    run(*lvl, 0.5f, 100.0f);
    EXPECT_FLOAT_EQ(sign(*lvl)->get_text_alpha(), 1.0f);

    // Two words: 3.5 s at full strength, then half a second of fading.
    leave(*lvl);
    run(*lvl, 3.3f, 100.0f);
    EXPECT_FLOAT_EQ(sign(*lvl)->get_text_alpha(), 1.0f);
    run(*lvl, 0.45f, 100.0f);
    EXPECT_GT(sign(*lvl)->get_text_alpha(), 0.3f);
    EXPECT_LT(sign(*lvl)->get_text_alpha(), 0.9f);
    // Back in while it still shows: full at once, and a fresh while after leaving.
    enter(*lvl);
    frame(*lvl, 0.01f);
    EXPECT_FLOAT_EQ(sign(*lvl)->get_text_alpha(), 1.0f);
    leave(*lvl);
    run(*lvl, 3.3f, 100.0f);
    EXPECT_FLOAT_EQ(sign(*lvl)->get_text_alpha(), 1.0f);
    run(*lvl, 0.8f, 100.0f);
    EXPECT_FLOAT_EQ(sign(*lvl)->get_text_alpha(), 0.0f);
    EXPECT_FLOAT_EQ(sign(*lvl)->get_image_alpha(), 0.0f);
}

TEST_F(info_box, a_longer_text_stays_longer)
{
    auto short_text = box_level("Roll on.");
    EXPECT_FLOAT_EQ(sign(*short_text)->get_linger_time(), 3.5f);
    short_text.reset();
    auto long_text = box_level(words(200));
    // 40 words: ten seconds more, at a quarter second a word.
    EXPECT_FLOAT_EQ(sign(*long_text)->get_linger_time(), 13.0f);
    enter(*long_text);
    run(*long_text, 1.0f, 60.0f);
    leave(*long_text);
    run(*long_text, 12.5f, 60.0f);
    EXPECT_FLOAT_EQ(sign(*long_text)->get_text_alpha(), 1.0f);
    run(*long_text, 1.5f, 60.0f);
    EXPECT_FLOAT_EQ(sign(*long_text)->get_text_alpha(), 0.0f);
}

TEST_F(info_box, the_next_box_takes_the_banner_at_once)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="infobox" id="first" pos="0 50 0">Roll on.</Object>
        <Object type="infobox" id="second" pos="0 50 -20">Mind the gap.</Object>
        <Object type="infobox" id="third" pos="0 50 -40">Nearly there.</Object>)");
    const auto box = [&](const char* id) { return static_cast<obj_info*>(lvl->find_object(id)); };
    const auto put = [&](float z) { lvl->get_player()->get_actor()->set_position(Ogre::Vector3(0, 55, z)); };
    enter(*lvl);
    run(*lvl, 1.0f, 100.0f);
    put(-10);
    run(*lvl, 0.5f, 100.0f);
    ASSERT_FLOAT_EQ(box("first")->get_text_alpha(), 1.0f);
    put(-20);
    frame(*lvl, 0.01f);
    EXPECT_FLOAT_EQ(box("first")->get_text_alpha(), 0.0f);
    EXPECT_FLOAT_EQ(box("first")->get_image_alpha(), 0.0f);
    EXPECT_FLOAT_EQ(box("second")->get_text_alpha(), 1.0f);
    // Straight through the third while the second still lingers, then on.
    put(-40);
    frame(*lvl, 0.01f);
    put(-60);
    run(*lvl, 1.0f, 100.0f);
    EXPECT_FLOAT_EQ(box("second")->get_text_alpha(), 0.0f);
    EXPECT_FLOAT_EQ(box("third")->get_text_alpha(), 1.0f);
    EXPECT_FLOAT_EQ(box("first")->get_text_alpha(), 0.0f);
}

TEST_F(info_box, leaving_before_the_fade_in_ends_jumps_to_full_then_lingers)
{
    auto lvl = box_level("Roll on.");
    enter(*lvl);
    run(*lvl, 0.05f, 100.0f);
    leave(*lvl);
    frame(*lvl, 0.001f);
    EXPECT_NEAR(sign(*lvl)->get_text_alpha(), 1.0f, 0.01f);
}

TEST_F(info_box, a_box_without_text_still_notices_the_ball_and_never_blocks_it)
{
    auto lvl = box_level("");
    EXPECT_EQ(sign(*lvl)->get_text(), "");
    enter(*lvl);
    lvl->get_player()->get_actor()->set_linear_velocity(Ogre::Vector3(0, 0, -20));
    run(*lvl, 1.0f, 100.0f);
    EXPECT_LT(lvl->get_player()->get_position().z, -9.0f);
}

TEST_F(info_box, a_crate_passing_through_leaves_the_banner_to_the_ball)
{
    auto lvl = box_level("Roll on.</Object><Object type=\"block\" id=\"crate\" block_type=\"3\" pos=\"40 50 0\">");
    physics_body* crate = lvl->find_object("crate")->get_actor();
    crate->raise_body_flag(BF_DISABLE_GRAVITY);
    enter(*lvl);
    run(*lvl, 0.8f, 100.0f);
    ASSERT_FLOAT_EQ(sign(*lvl)->get_text_alpha(), 1.0f);

    // In and out again while the ball stays: the banner stays.
    crate->set_position(Ogre::Vector3(0, 55, 3));
    run(*lvl, 0.1f, 100.0f);
    EXPECT_FLOAT_EQ(sign(*lvl)->get_text_alpha(), 1.0f);
    crate->set_position(Ogre::Vector3(40, 55, 0));
    run(*lvl, 0.1f, 100.0f);
    EXPECT_FLOAT_EQ(sign(*lvl)->get_text_alpha(), 1.0f);

    // The ball leaving still fades it out, in the end.
    leave(*lvl);
    run(*lvl, 4.2f, 100.0f);
    EXPECT_FLOAT_EQ(sign(*lvl)->get_text_alpha(), 0.0f);
}

namespace {

// The banner over the real heads-up display of the game's layouts, in a
// window of the given width.
class info_banner : public level_fixture {
protected:
    std::unique_ptr<level> banner_level(headless_gui& gui, const std::string& text)
    {
        MyGUI::LayoutManager::getInstance().loadLayout("ingame_hud.layout");
        write_level("sign.map", "<Level><Objects><Object type=\"start\" pos=\"0 100 0\"/>"
                                "<Object type=\"infobox\" id=\"sign\" pos=\"0 50 0\">" +
                                    text + "</Object></Objects></Level>");
        return std::make_unique<level>("sign.map", &context, gui.get());
    }
    static obj_info* sign(level& lvl) { return static_cast<obj_info*>(lvl.find_object("sign")); }
    static bool inside(const MyGUI::IntCoord& inner, const MyGUI::IntCoord& outer)
    {
        return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
               inner.bottom() <= outer.bottom();
    }
};

std::string words_of(size_t length, const std::string& word)
{
    std::string text;
    while (text.size() < length)
        text += word;
    text.resize(length);
    return text;
}

}

TEST_F(info_banner, a_long_line_stays_inside_windows_800_1024_and_1920_wide_and_clear_of_the_display)
{
    for (const int width : {800, 1024, 1920}) {
        for (const std::string& line : {words_of(140, "Roll the ball "), words_of(300, "Watch out "),
                                        std::string(140, 'W')}) {
            headless_gui gui(width, 600);
            auto lvl = banner_level(gui, line);
            const MyGUI::IntCoord window(0, 0, width, 600);
            MyGUI::Widget* backing = sign(*lvl)->get_background();
            MyGUI::TextBox* caption = sign(*lvl)->get_caption();
            ASSERT_TRUE(backing && caption) << width;
            const MyGUI::IntSize text = caption->getTextSize();
            const MyGUI::IntCoord drawn(caption->getAbsoluteLeft(), caption->getAbsoluteTop(), text.width, text.height);
            EXPECT_TRUE(inside(backing->getAbsoluteCoord(), window)) << width << ": " << line.size();
            EXPECT_TRUE(inside(drawn, window)) << width << ": text " << text.width << " wide";
            EXPECT_TRUE(inside(drawn, backing->getAbsoluteCoord())) << width << ": text off its backing";
            MyGUI::Widget* hud = gui.get()->findWidgetT("hud_panel", false);
            ASSERT_TRUE(hud);
            EXPECT_FALSE(backing->getAbsoluteRect().intersect(hud->getAbsoluteRect())) << width << ": over the display";
        }
    }
}

TEST_F(info_banner, the_window_alone_decides_where_lines_break)
{
    // 300 characters fill two lines of a 1920-pixel banner; the game's own
    // breaks every 140 characters would add a third, short one.
    headless_gui gui(1920, 600);
    auto lvl = banner_level(gui, words_of(300, "Watch out "));
    const MyGUI::TextBox* caption = sign(*lvl)->get_caption();
    ASSERT_TRUE(caption);
    const std::string shown = caption->getCaption().asUTF8();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 0) << shown;
    // 20 pixels a line.
    EXPECT_LE(caption->getTextSize().height, 2 * 20);
}
