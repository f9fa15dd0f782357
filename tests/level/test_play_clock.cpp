// The level's play clock, which the HUD and the completed screen show: it
// must add up to the time actually played, however the frame rate varies,
// and start at zero when the level's first picture is on screen, however
// long the level took to load.

#include "app/frame_timer.h"
#include "objects/obj_player.h"
#include "support/level_fixture.h"

#include <OgreRenderWindow.h>

#include <vector>

namespace {

// A render window that only keeps frame statistics, the way OGRE's own do:
// the frame rate it reports is the count of frames over the last whole second.
class scripted_window : public Ogre::RenderWindow {
public:
    void frame(float dt)
    {
        now += dt;
        ++frames;
        if (now - second_began >= 1.0) {
            mStats.lastFPS = float(frames / (now - second_began));
            second_began = now;
            frames = 0;
        }
    }

    void create(const Ogre::String&, unsigned int, unsigned int, bool, const Ogre::NameValuePairList*) override {}
    void destroy() override {}
    void resize(unsigned int, unsigned int) override {}
    void reposition(int, int) override {}
    bool isClosed() const override { return false; }
    void copyContentsToMemory(const Ogre::Box&, const Ogre::PixelBox&, FrameBuffer) override {}
    bool requiresTextureFlipping() const override { return false; }

private:
    double now = 0.0;
    double second_began = 0.0;
    int frames = 0;
};

class play_clock : public level_fixture {
protected:
    play_clock() { context.window = &window; }
    ~play_clock() override { context.window = nullptr; }

    // Plays the frames (their durations in seconds) and returns their sum.
    double play(level& lvl, const std::vector<float>& frame_times)
    {
        double played = 0.0;
        for (float dt : frame_times) {
            frame(lvl, dt);
            window.frame(dt);
            played += dt;
        }
        return played;
    }

    scripted_window window;
};

}

TEST_F(play_clock, reads_the_time_played_within_one_percent_at_a_steady_frame_rate)
{
    auto lvl = load_course("<Object type=\"start\"/>");
    const double played = play(*lvl, std::vector<float>(60 * 20, 1.0f / 20.0f));
    EXPECT_NEAR(lvl->get_elapsed_time(), played, played * 0.01);
}

TEST_F(play_clock, reads_the_time_played_within_one_percent_when_the_frame_rate_swings)
{
    // A software renderer's pace: seconds of 12 frames, then of 45 when the
    // view turns away from the fog and the bloom, and single long frames.
    std::vector<float> frames;
    for (int second = 0; second < 30; ++second) {
        const bool slow = second % 2 == 0;
        for (int i = 0; i < (slow ? 12 : 45); ++i)
            frames.push_back(slow ? 1.0f / 12.0f : 1.0f / 45.0f);
        if (second % 5 == 4)
            frames.push_back(0.4f);
    }
    auto lvl = load_course("<Object type=\"start\"/>");
    const double played = play(*lvl, frames);
    EXPECT_NEAR(lvl->get_elapsed_time(), played, played * 0.01);
}

TEST_F(play_clock, reads_zero_when_the_first_picture_shows_however_long_the_level_took_to_load)
{
    // The main loop's order: the frame timer hands each frame the time the
    // one before took; the window counts frames against the wall clock.
    unsigned long long now = 0;
    frame_timer timer([&] { return now; });
    auto loop_frame = [&](float seconds, level* lvl) {
        const float dt = timer.begin_frame();
        if (lvl)
            frame(*lvl, dt);
        now += static_cast<unsigned long long>(seconds * 1e6f);
        timer.end_frame();
        window.frame(seconds);
    };
    for (int i = 0; i < 90; ++i)
        loop_frame(1.0f / 60.0f, nullptr);

    // Between frames the title screen's request is carried out: the state
    // changes and builds the level, which takes three seconds.
    timer.restart();
    auto lvl = load_course("<Object type=\"start\"/>");
    now += 3000000;
    window.frame(3.0f);
    loop_frame(0.05f, lvl.get());
    EXPECT_EQ(lvl->get_elapsed_time(), 0.0f);
    EXPECT_EQ(lvl->get_player()->get_position().y, 5.0f);

    double played = 0.0;
    for (int i = 0; i < 100; ++i) {
        loop_frame(i % 3 == 0 ? 0.08f : 0.03f, lvl.get());
        EXPECT_NEAR(lvl->get_elapsed_time(), played, 1e-3) << "frame " << i;
        played += i % 3 == 0 ? 0.08 : 0.03;
    }
}
