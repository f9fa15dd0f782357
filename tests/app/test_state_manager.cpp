#include "app/application.h"
#include "app/game_state.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A state that writes every call it receives into a shared journal.
class recording_state : public game_state {
public:
    recording_state(std::string name, std::vector<std::string>& journal)
        : game_state(nullptr, name), name(std::move(name)), journal(journal)
    {
    }

    void enter(const state_params& p) override
    {
        journal.push_back(name + ".enter");
        received = p;
    }
    void pause() override { journal.push_back(name + ".pause"); }
    void resume() override { journal.push_back(name + ".resume"); }
    void exit() override { journal.push_back(name + ".exit"); }

    void request(const std::string& target, bool push)
    {
        transition_requested = true;
        next_state = target;
        transition_push = push;
    }

    std::string name;
    std::vector<std::string>& journal;
    state_params received;
};

class state_manager : public ::testing::Test {
protected:
    log_capture log;
    application app;
    std::vector<std::string> journal;
    recording_state menu{"main_menu", journal};
    recording_state game{"game", journal};
};

}

TEST_F(state_manager, registering_logs_initialisation_then_registration_for_each_state)
{
    const int menu_init = log.index_of("***Spielzustand main_menu wird initialisiert***");
    const int menu_reg = log.index_of("***Spielzustand main_menu wurde erfoglreich registriert***");
    const int game_init = log.index_of("***Spielzustand game wird initialisiert***");
    const int game_reg = log.index_of("***Spielzustand game wurde erfoglreich registriert***");
    ASSERT_GE(menu_init, 0);
    EXPECT_LT(menu_init, menu_reg);
    EXPECT_LT(menu_reg, game_init);
    EXPECT_LT(game_init, game_reg);
}

TEST_F(state_manager, a_second_state_under_a_taken_name_is_refused_and_the_first_stays)
{
    recording_state impostor("game", journal);
    EXPECT_TRUE(log.contains("***Spielzustand game ist bereits registriert***"));
    EXPECT_EQ(app.find_state("game"), &game);
    EXPECT_EQ(app.unregister_state("nobody"), 1);
    EXPECT_EQ(app.unregister_state("game"), 0);
    EXPECT_TRUE(log.contains("***Spielzustand game wurde erfoglreich gelöscht***"));
    EXPECT_EQ(app.find_state("game"), nullptr);
}

TEST_F(state_manager, push_pauses_the_top_and_pop_resumes_it)
{
    EXPECT_EQ(app.push_state("main_menu", {}), 0);
    EXPECT_EQ(app.push_state("game", {}), 0);
    EXPECT_EQ(app.pop_state(), 0);
    EXPECT_EQ(app.pop_state(), 0);
    EXPECT_EQ(app.pop_state(), 0);
    const std::vector<std::string> expected{"main_menu.enter", "main_menu.pause", "game.enter",
                                            "game.exit", "main_menu.resume", "main_menu.exit"};
    EXPECT_EQ(journal, expected);
    EXPECT_TRUE(app.get_state_stack().empty());
}

TEST_F(state_manager, change_exits_the_top_before_entering_the_target_and_may_reenter_itself)
{
    app.change_state("game", {});
    app.change_state("main_menu", {});
    app.change_state("main_menu", {});
    const std::vector<std::string> expected{"game.enter", "game.exit", "main_menu.enter", "main_menu.exit",
                                            "main_menu.enter"};
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(app.get_state_stack().size(), 1u);
}

TEST_F(state_manager, an_unknown_target_changes_nothing)
{
    app.push_state("main_menu", {});
    journal.clear();
    EXPECT_EQ(app.push_state("nowhere", {}), 1);
    EXPECT_EQ(app.change_state("nowhere", {}), 1);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(app.get_state_stack().back(), &menu);
}

TEST_F(state_manager, a_request_is_carried_out_once_between_frames)
{
    app.push_state("main_menu", {});
    menu.request("game", true);
    app.process_requests();
    app.process_requests();
    const std::vector<std::string> expected{"main_menu.enter", "main_menu.pause", "game.enter"};
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(app.get_state_stack().size(), 2u);
}

TEST_F(state_manager, every_change_of_the_stack_keeps_the_next_two_frames_from_advancing)
{
    unsigned long long now = 0;
    app.frames = frame_timer([&] { return now; });
    auto frame = [&] {
        const float dt = app.frames.begin_frame();
        now += 50000;
        app.frames.end_frame();
        return dt;
    };
    app.push_state("main_menu", {});
    frame();
    frame();
    EXPECT_FLOAT_EQ(frame(), 0.05f);

    menu.request("game", true);
    app.process_requests();
    EXPECT_EQ(frame(), 0.0f);
    EXPECT_EQ(frame(), 0.0f);
    EXPECT_FLOAT_EQ(frame(), 0.05f);

    game.request("game", false);
    app.process_requests();
    EXPECT_EQ(frame(), 0.0f);
    frame();
    game.running = false;
    app.process_requests();
    EXPECT_EQ(frame(), 0.0f);
}

TEST_F(state_manager, a_request_to_an_unknown_state_is_consumed_and_the_requester_stays)
{
    app.push_state("main_menu", {});
    menu.request("nowhere", false);
    app.process_requests();
    EXPECT_FALSE(menu.transition_requested);
    EXPECT_EQ(app.get_state_stack().back(), &menu);
}

TEST_F(state_manager, transition_first_then_pop_depends_on_the_new_top)
{
    app.push_state("main_menu", {});
    // The menu asks to be replaced and also clears its flag: the replacement
    // happens, and the new top (still running) is not popped.
    menu.request("game", false);
    menu.running = false;
    app.process_requests();
    ASSERT_EQ(app.get_state_stack().size(), 1u);
    EXPECT_EQ(app.get_state_stack().back(), &game);

    // Pushing while clearing the flag: the pushed state is on top and running,
    // so only the push happens in this frame.
    menu.running = true;
    game.request("main_menu", true);
    game.running = false;
    app.process_requests();
    EXPECT_EQ(app.get_state_stack().size(), 2u);
}

TEST_F(state_manager, one_pop_per_frame_restores_the_running_flag)
{
    app.push_state("main_menu", {});
    app.push_state("game", {});
    game.running = false;
    menu.running = false;
    app.process_requests();
    EXPECT_TRUE(game.running);
    EXPECT_EQ(app.get_state_stack().size(), 1u);
    app.process_requests();
    EXPECT_TRUE(app.get_state_stack().empty());
    EXPECT_TRUE(menu.running);
}

TEST_F(state_manager, parameters_persist_between_requests_and_reach_the_target)
{
    app.push_state("main_menu", {});
    menu.params["campaign"] = 7;
    menu.request("game", true);
    app.process_requests();
    app.pop_state();
    menu.params["level"] = std::string("level_02.map");
    menu.request("game", true);
    app.process_requests();
    EXPECT_EQ(boost::any_cast<int>(param(game.received, "campaign")), 7);
    EXPECT_EQ(boost::any_cast<std::string>(param(game.received, "level")), "level_02.map");
}

TEST_F(state_manager, a_missing_parameter_reads_as_int_zero)
{
    const state_params empty;
    EXPECT_EQ(boost::any_cast<int>(param(empty, "gui")), 0);
    EXPECT_THROW(boost::any_cast<std::string>(param(empty, "level")), boost::bad_any_cast);
    EXPECT_EQ(param_or<std::string>(empty, "level", "fallback"), "fallback");
}

TEST_F(state_manager, closing_the_window_exits_every_state_top_first_without_resuming)
{
    app.push_state("main_menu", {});
    app.push_state("game", {});
    journal.clear();
    app.exit_all_states();
    const std::vector<std::string> expected{"game.exit", "main_menu.exit"};
    EXPECT_EQ(journal, expected);
    EXPECT_TRUE(app.get_state_stack().empty());
}
