// The main loop's frame timer, on a scripted clock. How it keeps a level's
// loading off the play clock is tested with the clock itself.

#include "app/frame_timer.h"

#include <gtest/gtest.h>

namespace {

class frame_timing : public ::testing::Test {
protected:
    // One frame whose update and render take `seconds`; returns the time it
    // advanced by.
    float frame(float seconds)
    {
        const float dt = timer.begin_frame();
        now += static_cast<unsigned long long>(seconds * 1e6f);
        timer.end_frame();
        return dt;
    }

    unsigned long long now = 0;
    frame_timer timer{[this] { return now; }};
};

}

TEST_F(frame_timing, each_frame_advances_by_the_time_the_one_before_took)
{
    EXPECT_EQ(frame(0.020f), 0.0f);
    EXPECT_FLOAT_EQ(frame(0.050f), 0.020f);
    EXPECT_FLOAT_EQ(frame(0.016f), 0.050f);
}

TEST_F(frame_timing, after_a_restart_two_frames_advance_by_nothing_whatever_happened_between)
{
    frame(0.016f);
    timer.restart();
    now += 3000000;
    EXPECT_EQ(frame(2.0f), 0.0f);
    EXPECT_EQ(frame(0.030f), 0.0f);
    EXPECT_FLOAT_EQ(frame(0.050f), 0.030f);
}

TEST_F(frame_timing, the_wait_after_a_frame_belongs_to_it)
{
    // The frame limiter sleeps after the render: play must advance by the
    // wall time, sleep included, or it would run slow.
    frame(0.016f);
    frame(0.004f);
    now += 12667;
    EXPECT_FLOAT_EQ(frame(0.004f), 0.016667f);
}
