// What the heads-up display and the completed screen show, read from a real
// GUI with the game's layouts: the captions, the next level of the campaign
// and the end of a campaign.

#include "app/application.h"
#include "states/campaign_object.h"
#include "states/gs_game.h"
#include "support/headless_gui.h"
#include "support/level_fixture.h"

#include <MyGUI.h>

namespace {

class completed_screen : public level_fixture {
protected:
    completed_screen()
    {
        // Won at once: the target lies right under the start. The ball starts
        // inside the first coin, which is worth 10; the blue one is out of reach.
        for (const std::string name : {"first", "unnamed", "third"})
            write_level(name + ".map", std::string("<Level") + (name == "unnamed" ? "" : " name=\"The " + name + "\"") +
                                           R"(><Settings gravity="0 -100 0"/><Objects>
                <Object type="start" pos="0 100 0"/><Object type="target" pos="0 100.5 0"/>
                <Object type="score" pos="0 95 0"/><Object type="score" score_type="1" pos="60 95 0"/>
                </Objects></Level>)");
        write_level("open.map", R"(<Level><Objects><Object type="start" pos="0 100 0"/></Objects></Level>)");
        write_level("campaigns.cmp", R"(<Campaigns><Campaign name="Test"><Levels><Level filename="first.map"/>
            <Level filename="unnamed.map"/><Level filename="third.map"/></Levels></Campaign></Campaigns>)");
        campaigns = campaign_object::read_campaigns("media/levels/campaigns.cmp");
    }

    void play(const std::string& file)
    {
        state_params params;
        params["gui"] = gui.get();
        params["campaign"] = campaigns.at(0).get();
        params["level"] = file;
        // The level plays from the first frame: no start card, no Ready.
        params["start"] = race_start::racing;
        game.enter(params);
    }

    void frame(float dt)
    {
        context.frame_time = dt;
        game.update();
    }

    void play_until_completed()
    {
        for (int i = 0; i < 120 && !game.get_level()->is_completed(); ++i)
            frame(1.0f / 60.0f);
        ASSERT_TRUE(game.get_level()->is_completed());
        frame(1.0f / 60.0f);
        ASSERT_EQ(game.get_hud_mode(), gs_game::hud_completed);
    }

    std::string caption(const std::string& name) const
    {
        auto* text = gui.get()->findWidget<MyGUI::TextBox>(name, false);
        return text ? text->getCaption().asUTF8() : "(no " + name + ")";
    }

    bool shown(const std::string& name) const
    {
        MyGUI::Widget* widget = gui.get()->findWidgetT(name, false);
        return widget && widget->getInheritedVisible();
    }

    application app;
    headless_gui gui;
    std::vector<std::unique_ptr<campaign_object>> campaigns;
    gs_game game{&context};
};

}

TEST_F(completed_screen, the_display_counts_points_as_score_and_coins_as_taken_of_all)
{
    play("first.map");
    frame(1.0f / 60.0f);
    // The ball took the coin it starts in.
    EXPECT_EQ(caption("hud_score_label"), "Score");
    EXPECT_EQ(caption("score_coins"), "10");
    EXPECT_EQ(caption("coins_taken"), "1");
    EXPECT_EQ(caption("coins_total"), "2");
    EXPECT_EQ(caption("time_minutes"), "00");
    EXPECT_EQ(caption("time_seconds"), "00");
    game.exit();
}

TEST_F(completed_screen, the_display_turns_a_minute_of_play_into_01_00)
{
    play("open.map");
    // The display shows the time the level had reached before the frame.
    while (game.get_level()->get_elapsed_time() < 59.0f)
        frame(0.25f);
    frame(0.25f);
    EXPECT_EQ(caption("time_minutes") + ":" + caption("time_seconds"), "00:59");
    while (game.get_level()->get_elapsed_time() < 60.0f)
        frame(0.25f);
    frame(0.25f);
    EXPECT_EQ(caption("time_minutes") + ":" + caption("time_seconds"), "01:00");
    game.exit();
}

TEST_F(completed_screen, shows_the_final_score_coins_and_time)
{
    play("first.map");
    play_until_completed();
    const unsigned int seconds = unsigned(game.get_level()->get_elapsed_time());
    EXPECT_EQ(caption("completed_score_label"), "Score");
    EXPECT_EQ(caption("score_coins"), "10");
    EXPECT_EQ(caption("completed_coins_label"), "Coins");
    EXPECT_EQ(caption("coins_taken"), "1");
    EXPECT_EQ(caption("coins_total"), "2");
    EXPECT_EQ(caption("time_minutes"), "00");
    EXPECT_EQ(caption("time_seconds"), "0" + std::to_string(seconds));
    game.exit();
}

TEST_F(completed_screen, offers_the_next_level_by_name_or_else_by_file_name)
{
    play("first.map");
    play_until_completed();
    EXPECT_TRUE(shown("next_level_start"));
    EXPECT_FALSE(shown("campaign_complete"));
    EXPECT_EQ(caption("next_level_name"), "unnamed.map");
    // Return takes the way on, as the button does.
    input.capture(1.0f / 60.0f);
    input.key_pressed(KC_RETURN, 0);
    input.key_released(KC_RETURN);
    frame(1.0f / 60.0f);
    EXPECT_EQ(boost::any_cast<std::string>(param(game.params, "level")), "unnamed.map");
    game.exit();

    play("unnamed.map");
    play_until_completed();
    EXPECT_FALSE(shown("campaign_complete"));
    EXPECT_EQ(caption("next_level_name"), "The third");
    game.exit();
}

TEST_F(completed_screen, says_campaign_complete_after_the_last_level_only)
{
    play("third.map");
    play_until_completed();
    EXPECT_TRUE(shown("campaign_complete"));
    EXPECT_EQ(caption("campaign_complete"), "Campaign complete!");
    EXPECT_EQ(gui.get()->findWidgetT("next_level_start", false), nullptr);
    EXPECT_EQ(gui.get()->findWidgetT("next_level_name", false), nullptr);
    EXPECT_TRUE(shown("back_main_menu"));
    game.exit();
}
