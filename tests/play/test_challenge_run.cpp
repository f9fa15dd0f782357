// A campaign in one go: balls lost to falls and restarts, balls won by
// coins, one clock over the levels, and how it ends.

#include "play/challenge_run.h"
#include "support/level_fixture.h"

#include <gtest/gtest.h>

namespace {

std::vector<level_event> events(level_event::kind_type kind, int count)
{
    level_event event;
    event.kind = kind;
    return std::vector<level_event>(size_t(count), event);
}

}

TEST(challenge_run, falls_cost_balls_until_none_is_left)
{
    challenge_run run("First Steps", {"a.map", "b.map"});
    EXPECT_EQ(run.get_balls(), 3);
    run.take(events(level_event::fall, 2));
    EXPECT_EQ(run.get_balls(), 1);
    EXPECT_FALSE(run.is_over());
    run.restarted(4.0);
    EXPECT_TRUE(run.is_over());
    EXPECT_FALSE(run.is_won());
    EXPECT_EQ(run.levels_finished(), 0);
    // Nothing counts once it is over.
    run.take(events(level_event::coin, 100));
    EXPECT_EQ(run.get_coins(), 0);
}

TEST(challenge_run, every_hundredth_coin_gives_a_ball)
{
    challenge_run run("c", {"a.map"});
    run.take(events(level_event::coin, 99));
    EXPECT_EQ(run.get_balls(), 3);
    run.take(events(level_event::blue_coin, 1));
    EXPECT_EQ(run.get_balls(), 4);
    run.take(events(level_event::coin, 100));
    EXPECT_EQ(run.get_balls(), 5);
    EXPECT_EQ(run.get_coins(), 200);
    run.take(events(level_event::checkpoint, 3));
    EXPECT_EQ(run.get_balls(), 5);
}

TEST(challenge_run, one_clock_runs_over_every_level_to_the_last)
{
    challenge_run run("c", {"a.map", "b.map"});
    run.restarted(2.5);
    EXPECT_DOUBLE_EQ(run.total_time(1.0), 3.5);
    run.level_finished(10.0);
    EXPECT_EQ(run.current_level(), "b.map");
    EXPECT_EQ(run.level_number(), 2);
    EXPECT_EQ(run.levels_finished(), 1);
    run.level_finished(20.0);
    EXPECT_TRUE(run.is_won());
    EXPECT_EQ(run.levels_finished(), 2);
    EXPECT_DOUBLE_EQ(run.total_time(99.0), 32.5);
    EXPECT_THROW(challenge_run("empty", {}), std::invalid_argument);
}

namespace {

class challenge_level : public level_fixture {};

}

// The events a real level reports reach the challenge: a level whose
// gravity pulls the ball off its start pad is lost to falls.
TEST_F(challenge_level, falls_on_a_level_end_the_challenge)
{
    const std::unique_ptr<level> lvl =
        load("drop.map", R"(<Level name="Drop"><Settings gravity="60 -100 0"/><Objects>
            <Object type="start" pos="0 100 0"/><Object type="target" pos="-500 100 0"/></Objects></Level>)");
    challenge_run run("c", {"course.map"});
    for (int i = 0; i < 60 * 30 && !run.is_over(); ++i) {
        frame(*lvl, 1.0f / 60.0f);
        run.take(lvl->get_events());
    }
    EXPECT_TRUE(run.is_over());
    EXPECT_EQ(run.get_balls(), 0);
}
