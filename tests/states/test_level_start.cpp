// A level starts as a race: the start card, "Ready", then "Go!". Until Go
// nothing moves and the clock stays at zero; a key or a click skips the
// card, a restart begins at Ready, and the in-game menu freezes the
// countdown. Watched runs, mapscout and a level without a GUI start at once.

#include "app/application.h"
#include "objects/obj_player.h"
#include "play/level_run.h"
#include "states/gs_game.h"
#include "support/headless_gui.h"
#include "support/level_fixture.h"

#include <MyGUI.h>

namespace {

class level_start : public level_fixture {
protected:
    level_start()
    {
        write_level("level_01.map", R"(<Level name="Long Drop"><Settings gravity="0 -100 0"/><Objects>
            <Object type="start" pos="0 100 0"/><Object type="target" pos="0 50 -400"/></Objects></Level>)");
    }

    void enter(state_params params = {})
    {
        params["level"] = std::string("level_01.map");
        params["gui"] = gui.get();
        game.enter(params);
    }

    // One frame in the main loop's order, `keys` tapped during its input.
    void frame(const std::vector<key_code>& keys = {})
    {
        context.frame_time = 1.0f / 60.0f;
        game.update();
        input.capture(context.frame_time);
        for (const key_code key : keys) {
            input.key_pressed(key, 0);
            input.key_released(key);
        }
    }

    void frames(float seconds)
    {
        for (int i = 0; i < int(seconds * 60.0f); ++i)
            frame();
    }

    std::string word() const { return game.get_start()->get_word(); }
    race_start::phase phase() const { return game.get_start()->get_phase(); }
    double clock() const { return game.get_level()->get_play_time(); }
    bool shown(const std::string& name) const
    {
        MyGUI::Widget* widget = gui.get()->findWidgetT(name, false);
        return widget && widget->getInheritedVisible();
    }

    application app;
    headless_gui gui;
    gs_game game{&context};
};

}

TEST_F(level_start, the_ball_and_the_clock_wait_through_the_card_and_ready_and_start_at_go)
{
    enter();
    const Ogre::Vector3 start = game.get_level()->get_player()->get_position();
    frames(2.4f);
    EXPECT_EQ(phase(), race_start::card);
    EXPECT_TRUE(shown("start_card"));
    EXPECT_EQ(gui.get()->findWidget<MyGUI::TextBox>("start_card_name", false)->getCaption(), "Long Drop");
    frames(0.2f);
    EXPECT_EQ(word(), "Ready");
    EXPECT_FALSE(shown("start_card"));
    EXPECT_TRUE(shown("start_word"));
    frames(0.8f);
    EXPECT_EQ(clock(), 0.0);
    EXPECT_EQ(game.get_level()->get_player()->get_position(), start);
    EXPECT_FALSE(log.contains("Go: level_01.map"));

    frames(0.25f);
    EXPECT_EQ(word(), "Go!");
    EXPECT_TRUE(log.contains("Go: level_01.map"));
    EXPECT_GT(clock(), 0.0);
    EXPECT_LT(clock(), 0.2);
    EXPECT_LT(game.get_level()->get_player()->get_position().y, start.y) << "the ball did not fall at Go";
    // "Go!" fades while play runs, and then the words are gone.
    frames(1.0f);
    EXPECT_EQ(word(), "");
    EXPECT_EQ(gui.get()->findWidgetT("start_word", false), nullptr);
    game.exit();
}

TEST_F(level_start, a_key_or_a_click_skips_the_card_but_the_state_s_own_keys_do_not)
{
    enter();
    frame({KC_ESCAPE, KC_SYSRQ, KC_TAB});
    frame();
    EXPECT_EQ(phase(), race_start::card);
    frame({KC_W});
    frame();
    EXPECT_EQ(phase(), race_start::ready);
    game.exit();

    enter();
    frame();
    mouse_state click;
    click.buttons = 1 << MB_Left;
    input.mouse_pressed(click, MB_Left);
    frame();
    EXPECT_EQ(phase(), race_start::ready);
    frames(1.1f);
    EXPECT_EQ(phase(), race_start::racing);
    game.exit();
}

TEST_F(level_start, the_countdown_freezes_while_the_menu_is_up)
{
    enter();
    frames(2.0f);
    game.toggle_menu(0.0f);
    ASSERT_TRUE(game.paused);
    frames(5.0f);
    EXPECT_FALSE(shown("start_card")) << "the card stands over the menu";
    frame({KC_W});
    game.press("resume_game");
    for (int i = 0; i < 120 && game.paused; ++i)
        frame();
    ASSERT_FALSE(game.paused);
    EXPECT_EQ(phase(), race_start::card) << "the countdown went on behind the menu, or a key there skipped the card";
    EXPECT_TRUE(shown("start_card"));
    frames(1.0f);
    EXPECT_EQ(phase(), race_start::ready);
    game.exit();
}

TEST_F(level_start, a_restart_or_a_race_against_the_ghost_begins_at_ready_and_the_next_level_at_the_card)
{
    enter();
    for (const std::string button : {"restart_game", "race_ghost"}) {
        game.press(button);
        const state_params again = game.params;
        game.exit();
        game.enter(again);
        EXPECT_EQ(phase(), race_start::ready) << button;
        EXPECT_FALSE(shown("start_card")) << button;
    }
    game.press("next_level_start");
    EXPECT_EQ(boost::any_cast<race_start::phase>(param(game.params, "start")), race_start::card);
    game.exit();
}

TEST_F(level_start, a_watched_run_mapscout_and_a_level_without_a_gui_start_at_once)
{
    // A run kept to be watched: won at once, its target right under the start.
    context.progress_folder = (std::filesystem::current_path() / "progress").string();
    write_level("level_01.map", R"(<Level><Settings gravity="0 -100 0"/><Objects>
        <Object type="start" pos="0 100 0"/><Object type="target" pos="0 100.5 0"/></Objects></Level>)");
    game.enter({{"level", std::string("level_01.map")}});
    while (!game.get_level()->is_completed())
        frame();
    frame();
    game.exit();

    state_params watch;
    watch["watch"] = true;
    enter(watch);
    ASSERT_TRUE(game.get_run()->is_watching());
    frame();
    EXPECT_GT(clock(), 0.0);
    EXPECT_EQ(gui.get()->findWidgetT("start_card", false), nullptr);
    game.exit();

    context.scout = true;
    enter();
    EXPECT_EQ(phase(), race_start::racing);
    EXPECT_EQ(gui.get()->findWidgetT("start_card", false), nullptr);
    game.exit();
}
