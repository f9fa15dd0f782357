#include "app/application.h"
#include "objects/obj_player.h"
#include "states/campaign_object.h"
#include "states/gs_game.h"
#include "states/gs_test.h"
#include "support/headless_gui.h"
#include "support/level_fixture.h"

#include <MyGUI.h>

namespace {

// The in-game state driven headless, frame by frame in the main loop's order:
// the state's update, then the held keys.
class game_state_machine : public level_fixture {
protected:
    game_state_machine()
    {
        write_level("level_01.map", R"(<Level><Settings gravity="0 -100 0"/><Objects>
            <Object type="start" pos="0 100 0"/><Object type="target" pos="0 50 -40"/></Objects></Level>)");
        // A level won at once: its target lies right under the start.
        write_level("won.map", R"(<Level><Settings gravity="0 -100 0"/><Objects>
            <Object type="start" pos="0 100 0"/><Object type="target" pos="0 100.5 0"/></Objects></Level>)");
    }

    void frame(float dt, bool escape = false)
    {
        context.frame_time = dt;
        game.update();
        if (escape)
            game.toggle_menu(dt);
    }

    state_params level_params(const std::string& file = "level_01.map")
    {
        state_params p;
        p["level"] = file;
        return p;
    }

    application app;
    gs_game game{&context};
};

}

TEST_F(game_state_machine, a_tap_of_escape_opens_the_menu_and_a_second_closes_it)
{
    game.enter(level_params());
    frame(0.02f);
    frame(0.02f, true);
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(game.get_menu().get_state(), ingame_menu::fading_in);
    for (int i = 0; i < 40; ++i)
        frame(0.02f);
    EXPECT_EQ(game.get_menu().get_state(), ingame_menu::open);
    EXPECT_TRUE(game.get_menu().is_loaded());
    // Escape during a fade does nothing; when open it fades out.
    frame(0.02f, true);
    EXPECT_EQ(game.get_menu().get_state(), ingame_menu::fading_out);
    frame(0.02f, true);
    EXPECT_EQ(game.get_menu().get_state(), ingame_menu::fading_out);
    for (int i = 0; i < 40; ++i)
        frame(0.02f);
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(game.get_menu().get_state(), ingame_menu::closed);
    game.exit();
}

TEST_F(game_state_machine, holding_escape_fades_in_and_straight_out_without_the_buttons)
{
    game.enter(level_params());
    bool buttons_seen = false;
    bool faded_out = false;
    for (int i = 0; i < 200; ++i) {
        frame(0.02f, true);
        buttons_seen = buttons_seen || game.get_menu().is_loaded();
        faded_out = faded_out || game.get_menu().get_state() == ingame_menu::fading_out;
    }
    EXPECT_TRUE(faded_out);
    EXPECT_FALSE(buttons_seen);
    game.exit();
}

TEST_F(game_state_machine, the_level_stands_still_while_the_menu_is_up)
{
    game.enter(level_params());
    frame(0.1f);
    frame(0.02f, true);
    const Ogre::Vector3 before = game.get_level()->get_player()->get_position();
    const float time = game.get_level()->get_elapsed_time();
    for (int i = 0; i < 30; ++i)
        frame(0.02f);
    EXPECT_EQ(game.get_level()->get_player()->get_position(), before);
    EXPECT_FLOAT_EQ(game.get_level()->get_elapsed_time(), time);
    game.exit();
}

TEST_F(game_state_machine, buttons_ask_for_the_right_transitions)
{
    write_level("next.map", "<Level name=\"Next one\"><Objects><Object type=\"start\"/></Objects></Level>");
    write_level("campaigns.cmp", R"(<Campaigns><Campaign><Levels><Level filename="level_01.map"/>
        <Level filename="next.map"/></Levels></Campaign></Campaigns>)");
    auto campaigns = campaign_object::read_campaigns("media/levels/campaigns.cmp");
    state_params p = level_params();
    p["campaign"] = campaigns.at(0).get();
    game.enter(p);

    game.press("restart_game");
    EXPECT_TRUE(game.transition_requested);
    EXPECT_EQ(game.next_state, "game");
    EXPECT_FALSE(game.transition_push);
    EXPECT_EQ(boost::any_cast<std::string>(param(game.params, "level")), "level_01.map");
    EXPECT_EQ(boost::any_cast<campaign_object*>(param(game.params, "campaign")), campaigns[0].get());

    game.press("next_level_start");
    EXPECT_EQ(boost::any_cast<std::string>(param(game.params, "level")), "next.map");

    // Where "Main menu" leads depends on the stack (test_return_to_title.cpp).
    game.press("back_main_menu");
    EXPECT_EQ(game.get_hud_mode(), gs_game::hud_none);

    game.transition_requested = false;
    game.press("something_else");
    EXPECT_FALSE(game.transition_requested);
    game.exit();
}

TEST_F(game_state_machine, reaching_the_target_stops_play_and_escape_is_ignored_there)
{
    game.enter(level_params("won.map"));
    for (int i = 0; i < 60 && !game.get_level()->is_completed(); ++i)
        frame(1.0f / 60.0f);
    ASSERT_TRUE(game.get_level()->is_completed());
    frame(0.02f);
    EXPECT_EQ(game.get_hud_mode(), gs_game::hud_completed);
    const float time = game.get_level()->get_elapsed_time();
    frame(0.02f, true);
    EXPECT_FALSE(game.paused);
    frame(0.02f);
    EXPECT_FLOAT_EQ(game.get_level()->get_elapsed_time(), time);
    game.exit();
}

TEST_F(game_state_machine, entering_resets_a_menu_left_open_by_tab)
{
    game.enter(level_params());
    frame(0.02f, true);
    for (int i = 0; i < 40; ++i)
        frame(0.02f);
    ASSERT_TRUE(game.paused);
    game.end_state(0);
    game.exit();
    game.enter(level_params());
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(game.get_menu().get_state(), ingame_menu::closed);
    EXPECT_FALSE(game.get_menu().is_loaded());
    game.exit();
}

TEST_F(game_state_machine, a_level_without_a_ball_is_left_again_with_a_log_line)
{
    gs_test test(&context);
    app.push_state("test", {});
    app.push_state("game", level_params("missing.map"));
    EXPECT_FALSE(game.running);
    EXPECT_TRUE(log.contains("missing.map: the level has no ball and cannot be played"));
    app.process_requests();
    EXPECT_EQ(app.get_state_stack().back(), &test);
}

TEST_F(game_state_machine, no_word_of_play_stands_over_the_menu_and_each_comes_back_when_play_resumes)
{
    // The ball starts inside a coin: its cue is up from the first frames.
    write_level("coin.map", R"(<Level><Settings gravity="0 -100 0"/><Objects>
        <Object type="start" pos="0 100 0"/><Object type="score" pos="0 95 0"/>
        <Object type="target" pos="0 50 -400"/></Objects></Level>)");
    headless_gui gui;
    state_params params = level_params("coin.map");
    params["gui"] = gui.get();
    params["start"] = race_start::racing;
    game.enter(params);
    auto shown = [&](const std::string& name) {
        MyGUI::Widget* widget = gui.get()->findWidgetT(name, false);
        return widget && widget->getInheritedVisible();
    };
    for (int i = 0; i < 10 && !shown("cue_panel"); ++i)
        frame(1.0f / 60.0f);
    ASSERT_TRUE(shown("cue_panel"));
    ASSERT_TRUE(shown("hud_panel"));

    frame(1.0f / 60.0f, true);
    for (int i = 0; i < 60; ++i)
        frame(1.0f / 60.0f);
    ASSERT_TRUE(shown("resume_game"));
    EXPECT_FALSE(shown("cue_panel")) << "the coin's cue stands over the menu";
    EXPECT_FALSE(shown("hud_panel"));

    game.press("resume_game");
    frame(1.0f / 60.0f);
    EXPECT_TRUE(shown("cue_panel"));
    EXPECT_TRUE(shown("hud_panel"));
}
