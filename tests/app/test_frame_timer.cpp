// The main loop's frame timer, on a scripted clock, in the main loop's order:
// the play clock of a freshly built level must read 00:00 when its first
// picture is on screen, however long the loading took, and then count the
// frames played.

#include "app/frame_timer.h"
#include "objects/obj_player.h"
#include "support/level_fixture.h"

namespace {

class frame_timing : public level_fixture {
protected:
    // One frame of the main loop whose update and render take `seconds`;
    // returns the time it advanced by.
    float loop_frame(float seconds, level* lvl = nullptr)
    {
        const float dt = timer.begin_frame();
        if (lvl)
            frame(*lvl, dt);
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
    EXPECT_EQ(loop_frame(0.020f), 0.0f);
    EXPECT_FLOAT_EQ(loop_frame(0.050f), 0.020f);
    EXPECT_FLOAT_EQ(loop_frame(0.016f), 0.050f);
}

TEST_F(frame_timing, a_new_level_starts_its_clock_at_zero_when_its_first_picture_shows)
{
    for (int i = 0; i < 10; ++i)
        loop_frame(0.016f);
    // Between frames the menu's request is carried out: the state changes and
    // the level is built, which takes three seconds.
    timer.restart();
    auto lvl = load_course("<Object type=\"start\"/>");
    now += 3000000;
    // The first frame of the level renders its first picture, loading its
    // textures and shaders for two more seconds.
    loop_frame(2.0f, lvl.get());
    EXPECT_EQ(lvl->get_elapsed_time(), 0.0f);
    EXPECT_EQ(lvl->get_player()->get_position().y, 5.0f);

    double played = 0.0;
    for (int i = 0; i < 100; ++i) {
        loop_frame(i % 3 == 0 ? 0.08f : 0.03f, lvl.get());
        EXPECT_NEAR(lvl->get_elapsed_time(), played, 1e-3);
        played += i % 3 == 0 ? 0.08 : 0.03;
    }
}
