// The main loop's frame limiter, on a scripted clock whose sleep can wake late,
// and which frames of a still menu it draws.

#include "app/frame_limiter.h"
#include "app/idle_redraw.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class frame_limiting : public ::testing::Test {
protected:
    frame_limiter limiter(bool on)
    {
        return frame_limiter(
            on, [this] { return now; },
            [this](unsigned long long until) {
                sleeps.push_back(until);
                now = until + oversleep;
            });
    }

    unsigned long long now = 5000000;
    unsigned long long oversleep = 0;
    std::vector<unsigned long long> sleeps;
};

}

TEST_F(frame_limiting, a_quick_frame_waits_until_one_period_after_the_last)
{
    frame_limiter limiter = this->limiter(true);
    limiter.wait(60);
    now += 4000;
    limiter.wait(60);
    ASSERT_EQ(sleeps.size(), 1u);
    EXPECT_EQ(sleeps[0], 5000000u + 16666u);
    now += 1000;
    limiter.wait(30);
    ASSERT_EQ(sleeps.size(), 2u);
    EXPECT_EQ(sleeps[1], 5000000u + 16666u + 33333u);
}

TEST_F(frame_limiting, a_frame_slower_than_the_period_does_not_wait_nor_hurry_the_next)
{
    frame_limiter limiter = this->limiter(true);
    limiter.wait(60);
    now += 40000;
    limiter.wait(60);
    EXPECT_TRUE(sleeps.empty());
    now += 1000;
    limiter.wait(60);
    ASSERT_EQ(sleeps.size(), 1u);
    EXPECT_EQ(sleeps[0], 5040000u + 16666u);
}

TEST_F(frame_limiting, sixty_a_second_stay_sixty_when_every_sleep_wakes_late)
{
    oversleep = 800;
    frame_limiter limiter = this->limiter(true);
    limiter.wait(60);
    const unsigned long long start = now;
    for (int frame = 0; frame < 60; ++frame) {
        now += 3000;
        limiter.wait(60);
    }
    EXPECT_EQ(sleeps.size(), 60u);
    EXPECT_NEAR(double(now - start), 1000000.0, 1000.0);
}

TEST_F(frame_limiting, off_never_waits)
{
    frame_limiter limiter = this->limiter(false);
    for (int frame = 0; frame < 10; ++frame) {
        now += 1000;
        limiter.wait(30);
    }
    EXPECT_TRUE(sleeps.empty());
}

// Which frames of a still menu are drawn, at 30 frames a second.
TEST(idle_redraw_test, a_still_picture_is_drawn_after_the_player_acts_and_twice_a_second_otherwise)
{
    idle_redraw redraw(true);
    const float dt = 1.0f / 30.0f;
    int drawn = 0;
    for (int i = 0; i < 29; ++i)
        drawn += redraw.draw(true, false, dt);
    EXPECT_EQ(drawn, 29) << "the first second after a menu settles is drawn whole";
    drawn = 0;
    for (int i = 0; i < 61; ++i)
        drawn += redraw.draw(true, false, dt);
    EXPECT_EQ(drawn, 4) << "then twice a second";
    EXPECT_TRUE(redraw.draw(true, true, dt)) << "a move of the pointer is drawn at once";
    EXPECT_TRUE(redraw.draw(true, false, dt));
    drawn = 0;
    for (int i = 0; i < 90; ++i)
        drawn += redraw.draw(false, false, dt);
    EXPECT_EQ(drawn, 90) << "play is drawn every frame";
    idle_redraw off(false);
    drawn = 0;
    for (int i = 0; i < 90; ++i)
        drawn += off.draw(true, false, dt);
    EXPECT_EQ(drawn, 90);
}

// The title's scenery moves slowly behind a still menu.
TEST(idle_redraw_test, a_still_picture_over_a_moving_backdrop_is_drawn_as_often_as_the_backdrop_asks)
{
    idle_redraw redraw(true);
    const float dt = 1.0f / 30.0f;
    for (int i = 0; i < 30; ++i)
        redraw.draw(true, false, dt, 10);
    int drawn = 0;
    for (int i = 0; i < 300; ++i)
        drawn += redraw.draw(true, false, dt, 10);
    EXPECT_EQ(drawn, 100) << "ten a second over ten seconds, every third frame";
    drawn = 0;
    for (int i = 0; i < 300; ++i)
        drawn += redraw.draw(true, false, dt, 1);
    EXPECT_EQ(drawn, 20) << "never less often than twice a second";
}
