// The options screen over the paused game: keys bound anew by pressing them,
// a key another action has refused, Escape back to the menu, and the ball
// rolling with the new key as soon as play resumes; the notice line saying
// what a key is used for, and keeping to the page it was written on; the
// rows placed anew when the window changes size under the screen.

#include "app/application.h"
#include "app/game_context.h"
#include "app/input_manager.h"
#include "app/key_names.h"
#include "menus/options_screen.h"
#include "objects/obj_player.h"
#include "states/gs_game.h"
#include "support/headless_gui.h"
#include "support/level_fixture.h"

#include <MyGUI.h>

namespace {

class options_in_play : public level_fixture {
protected:
    options_in_play()
    {
        write_level("level_01.map", R"(<Level><Settings gravity="0 -100 0"/><Objects>
            <Object type="start" pos="0 100 0"/><Object type="target" pos="0 50 -40"/></Objects></Level>)");
        state_params params;
        params["level"] = std::string("level_01.map");
        params["gui"] = gui.get();
        // The ball rolls from the first frame: no start card, no Ready.
        params["start"] = race_start::racing;
        game.enter(params);
        key_from_name("Up", up);
    }

    void frames(int count, bool escape = false)
    {
        for (int i = 0; i < count; ++i) {
            context.frame_time = 0.02f;
            game.update();
            if (escape)
                game.toggle_menu(0.02f);
        }
    }

    bool shown(const std::string& name) const { return gui.get()->findWidgetT(name, false) != nullptr; }

    // A click on the button, then a key pressed and let go.
    void click_then_key(const std::string& button, key_code key)
    {
        auto* widget = gui.get()->findWidget<MyGUI::Button>(button, false);
        ASSERT_NE(widget, nullptr) << button;
        widget->eventMouseButtonClick(widget);
        MyGUI::InputManager::getInstance().injectKeyPress(MyGUI::KeyCode::Enum(key));
        MyGUI::InputManager::getInstance().injectKeyRelease(MyGUI::KeyCode::Enum(key));
    }

    application app;
    headless_gui gui;
    gs_game game{&context};
    key_code up{};
};

}

TEST_F(options_in_play, a_key_bound_in_the_paused_game_rolls_the_ball_once_play_resumes)
{
    frames(1);
    frames(1, true);
    frames(40);
    ASSERT_TRUE(shown("menu_options"));
    game.press("menu_options");
    frames(1);
    ASSERT_TRUE(shown("options_panel"));
    EXPECT_FALSE(shown("resume_game"));

    click_then_key("option_key_forward", up);
    click_then_key("option_key_left", up);
    EXPECT_EQ(context.settings.keys.key(key_bindings::forward), up);
    EXPECT_EQ(context.settings.keys.key(key_bindings::left), KC_A) << "two actions share Up";
    EXPECT_EQ(gui.get()->findWidget<MyGUI::TextBox>("options_notice", false)->getCaption().asUTF8(),
              "Up is already used to roll forward.");

    // Escape goes back one screen: to the menu, and the game stays paused
    // however long it is held.
    frames(1, true);
    frames(20, true);
    EXPECT_FALSE(shown("options_panel"));
    EXPECT_TRUE(shown("resume_game"));
    EXPECT_TRUE(game.paused);

    game.press("resume_game");
    frames(40);
    ASSERT_FALSE(game.paused);
    obj_player* ball = game.get_level()->get_player();
    context.input->run_key_bindings([](key_code key) { return key == KC_W; });
    EXPECT_EQ(ball->get_moves(), 0u) << "W still rolls the ball";
    context.input->run_key_bindings([this](key_code key) { return key == up; });
    EXPECT_EQ(ball->get_moves(), unsigned(obj_player::move_forward_bit));
}

TEST_F(options_in_play, a_key_taken_for_a_binding_neither_steps_nor_presses_the_menu)
{
    frames(1);
    frames(1, true);
    frames(40);
    game.press("menu_options");
    frames(1);
    ASSERT_TRUE(shown("options_panel"));

    for (const key_code key : {KC_DOWN, KC_RETURN}) {
        auto* button = gui.get()->findWidget<MyGUI::Button>("option_key_forward", false);
        ASSERT_NE(button, nullptr);
        button->eventMouseButtonClick(button);
        context.input->capture(0.02f);
        context.input->key_pressed(key, 0);
        context.input->key_released(key);
        EXPECT_EQ(context.settings.keys.key(key_bindings::forward), key);
        EXPECT_TRUE(context.input->presses().empty()) << key_name(key) << " also reached the menu";
    }
}

namespace {

// The options screen on its own, as the title screen shows it.
class options_notices : public ::testing::Test {
protected:
    std::string notice() const
    {
        auto* line = gui.get()->findWidget<MyGUI::TextBox>("options_notice", false);
        return line ? line->getCaption().asUTF8() : "(no notice line)";
    }

    static void press_key(key_code key)
    {
        MyGUI::InputManager::getInstance().injectKeyPress(MyGUI::KeyCode::Enum(key));
        MyGUI::InputManager::getInstance().injectKeyRelease(MyGUI::KeyCode::Enum(key));
    }

    headless_gui gui;
    game_context context;
    options_screen options{context, *gui.get()};
};

}

TEST_F(options_notices, say_what_a_taken_key_is_used_for)
{
    options.press("option_key_forward");
    EXPECT_EQ(notice(), "Press the new key to roll forward.");
    press_key(KC_ESCAPE);
    EXPECT_EQ(notice(), "Escape is already used for the in-game menu.");
    options.press("option_key_menu");
    EXPECT_EQ(notice(), "Press the new key for the in-game menu.");
    press_key(KC_SYSRQ);
    EXPECT_EQ(notice(), "Print is already used for screenshots.");
}

// The follow camera takes effect at once, in the level being played too.
TEST_F(options_notices, the_follow_camera_switches_at_once_on_the_gameplay_page)
{
    options.press("options_tab_gameplay");
    options.press("option_follow_camera");
    EXPECT_TRUE(context.settings.follow_camera);
    EXPECT_EQ(notice(), "");
    options.press("option_follow_camera");
    EXPECT_FALSE(context.settings.follow_camera);
}

TEST_F(options_notices, of_one_page_are_gone_when_another_page_opens)
{
    options.press("options_tab_video");
    options.press("option_frame_cap");
    EXPECT_EQ(notice(), "Takes effect when the game is started again.");
    options.press("options_tab_sound");
    EXPECT_EQ(notice(), "");

    options.press("options_tab_controls");
    options.press("option_key_left");
    press_key(KC_W);
    ASSERT_NE(notice(), "");
    options.press("options_tab_gameplay");
    EXPECT_EQ(notice(), "");
}

// Every widget of every page lies inside its page, as far as `gui` sees it.
::testing::AssertionResult rows_inside_their_pages(MyGUI::Gui& gui)
{
    for (const char* name : {"options_controls", "options_sound", "options_video", "options_gameplay"}) {
        MyGUI::Widget* page = gui.findWidgetT(name, false);
        if (!page)
            return ::testing::AssertionFailure() << "no page " << name;
        for (size_t i = 0; i < page->getChildCount(); ++i) {
            const MyGUI::IntCoord at = page->getChildAt(i)->getCoord();
            if (at.left < 0 || at.top < 0 || at.right() > page->getWidth() || at.bottom() > page->getHeight())
                return ::testing::AssertionFailure() << page->getChildAt(i)->getName() << " sticks out of " << name;
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(options_screen_window, its_rows_are_placed_anew_when_the_window_changes_size_under_it)
{
    headless_gui gui(1024, 768);
    game_context context;
    options_screen screen(context, *gui.get());
    ASSERT_TRUE(rows_inside_their_pages(*gui.get()));
    screen.press("options_tab_video");
    MyGUI::RenderManager::getInstance().setViewSize(800, 600);
    gui.get()->eventFrameStart(0.02f);
    EXPECT_TRUE(rows_inside_their_pages(*gui.get())) << "at 800 x 600";
    EXPECT_TRUE(gui.get()->findWidgetT("options_video", false)->getVisible()) << "the page shown changed";
    MyGUI::RenderManager::getInstance().setViewSize(1920, 1080);
    gui.get()->eventFrameStart(0.02f);
    EXPECT_TRUE(rows_inside_their_pages(*gui.get())) << "at 1920 x 1080";
    const MyGUI::Widget* page = gui.get()->findWidgetT("options_controls", false);
    const MyGUI::Widget* reset = gui.get()->findWidgetT("options_reset_controls", false);
    ASSERT_TRUE(page && reset);
    EXPECT_GT(reset->getRight(), page->getWidth() / 2) << "the rows kept the small window's places";
    screen.press("option_fullscreen");
    EXPECT_EQ(context.settings.fullscreen, std::optional<bool>(true)) << "without a window to change, the choice is kept";
}
