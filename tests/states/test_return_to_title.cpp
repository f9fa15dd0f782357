#include "app/application.h"
#include "app/game_state.h"
#include "states/gs_game.h"
#include "support/level_fixture.h"

#include <vector>

namespace {

// Stands in for the title screen, which needs a window for its GUI: it asks
// for the level the way the real menu's quick start and Start button do.
class title_stand_in : public game_state {
public:
    explicit title_stand_in(game_context* context) : game_state(context, "main_menu") {}

    void enter(const state_params&) override { ++entered; }
    void resume() override { ++resumed; }

    void start_level(bool quick)
    {
        transition_requested = true;
        next_state = "game";
        transition_push = quick;
        params["level"] = std::string("level_01.map");
    }

    int entered = 0;
    int resumed = 0;
};

// The game's own state stack with the real in-game state on a small level.
class leaving_a_level : public level_fixture {
protected:
    leaving_a_level()
    {
        write_level("level_01.map", R"(<Level><Settings gravity="0 -100 0"/><Objects>
            <Object type="start" pos="0 100 0"/><Object type="target" pos="0 50 -40"/></Objects></Level>)");
    }

    // The title screen, then a level started from it; the game is on top.
    void play_from_title(bool quick)
    {
        if (app.get_state_stack().empty())
            app.push_state("main_menu", {});
        title.start_level(quick);
        app.process_requests();
        ASSERT_EQ(app.get_state_stack().back(), &game);
        context.frame_time = 0.02f;
        game.update();
    }

    std::vector<game_state*> stack() const { return app.get_state_stack(); }

    application app;
    title_stand_in title{&context};
    gs_game game{&context};
};

}

TEST_F(leaving_a_level, main_menu_after_each_of_three_quick_starts_leaves_one_title_screen)
{
    for (int round = 0; round < 3; ++round) {
        play_from_title(true);
        game.press("back_main_menu");
        app.process_requests();
        EXPECT_EQ(stack(), std::vector<game_state*>{&title}) << "after round " << round + 1;
    }
    // The title screen was built once and came back under each game.
    EXPECT_EQ(title.entered, 1);
    EXPECT_EQ(title.resumed, 3);
}

TEST_F(leaving_a_level, main_menu_builds_the_title_screen_again_when_the_level_replaced_it)
{
    play_from_title(false);
    ASSERT_EQ(stack(), std::vector<game_state*>{&game});
    game.press("back_main_menu");
    app.process_requests();
    EXPECT_EQ(stack(), std::vector<game_state*>{&title});
    EXPECT_EQ(title.entered, 2);
}

TEST_F(leaving_a_level, tab_returns_to_the_title_screen_however_the_level_was_started)
{
    play_from_title(false);
    game.end_state(0.02f);
    app.process_requests();
    EXPECT_EQ(stack(), std::vector<game_state*>{&title});

    play_from_title(true);
    game.end_state(0.02f);
    app.process_requests();
    EXPECT_EQ(stack(), std::vector<game_state*>{&title});
    EXPECT_EQ(title.resumed, 1);
}

TEST_F(leaving_a_level, tab_and_escape_still_end_mapscout)
{
    context.scout = true;
    state_params level;
    level["level"] = std::string("level_01.map");
    for (bool tab : {true, false}) {
        app.push_state("game", level);
        // mapscout's editor takes the keys as pressed; with nothing unsaved it ends at once.
        input.capture(0.02f);
        input.key_pressed(tab ? KC_TAB : KC_ESCAPE, 0);
        game.end_state(0.02f);
        game.toggle_menu(0.02f);
        app.get_state_stack().back()->update();
        app.process_requests();
        EXPECT_TRUE(stack().empty()) << (tab ? "Tab" : "Escape");
    }
}
