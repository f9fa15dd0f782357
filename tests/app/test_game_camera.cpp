#include "app/game_camera.h"
#include "objects/obj_player.h"
#include "support/level_fixture.h"

#include <OgreSceneNode.h>

namespace {

// One wheel notch, as the mouse reports it.
constexpr int notch = 120;

class camera_steering : public level_fixture {
protected:
    mouse_state mouse(int x, int wheel)
    {
        mouse_state m;
        m.X.rel = x;
        m.Z.rel = wheel;
        return m;
    }

    // Frames at `fps` until the camera stops, checking each that it stays
    // within the height limits.
    void glide_until_still(float fps)
    {
        for (int frame = 0; frame < 30 * int(fps); ++frame) {
            const Ogre::Vector3 before = camera.get_camera_position();
            camera.steer(mouse(0, 0), 1.0f / fps);
            const float y = camera.get_camera_position().y;
            ASSERT_GE(y, 40.0f) << "frame " << frame;
            ASSERT_LE(y, 250.0f) << "frame " << frame;
            if (camera.get_camera_position() == before)
                return;
        }
        FAIL() << "the camera never came to rest";
    }

    // Turns the wheel at `fps` and expects the target, and then the camera
    // once it rests, at `height`.
    void wheel_to(int wheel, float fps, float height)
    {
        camera.steer(mouse(0, wheel), 1.0f / fps);
        EXPECT_NEAR(camera.get_target_height(), height, 1e-3f);
        glide_until_still(fps);
        EXPECT_NEAR(camera.get_camera_position().y, height, 1.0f);
    }

    std::unique_ptr<level> lvl = load_course("<Object type=\"start\"/>");
    game_camera camera{"game_cam", lvl.get(), lvl->get_player()->get_scene_node()};
};

}

TEST_F(camera_steering, sits_60_above_and_40_behind_and_registers_with_the_level)
{
    EXPECT_EQ(camera.get_camera_position(), Ogre::Vector3(0, 60, 40));
    EXPECT_FLOAT_EQ(camera.get_target_height(), 60.0f);
    EXPECT_EQ(lvl->get_camera(), &camera);
    EXPECT_EQ(camera.get_camera_node()->getParent(), lvl->get_player()->get_scene_node());
}

TEST_F(camera_steering, ten_counts_right_turn_it_minus_one_degree_and_a_still_mouse_nothing)
{
    camera.steer(mouse(0, 0), 0.016f);
    EXPECT_EQ(camera.get_camera_node()->getOrientation(), Ogre::Quaternion::IDENTITY);
    camera.steer(mouse(10, 0), 0.016f);
    EXPECT_NEAR(camera.get_camera_node()->getOrientation().getYaw().valueDegrees(), -1.0f, 1e-4f);
}

TEST_F(camera_steering, one_wheel_notch_moves_the_target_50_at_10_30_60_and_144_fps_and_the_camera_follows)
{
    for (float fps : {10.0f, 30.0f, 60.0f, 144.0f}) {
        SCOPED_TRACE(fps);
        wheel_to(notch, fps, 110.0f);
        wheel_to(-notch, fps, 60.0f);
    }
}

TEST_F(camera_steering, wound_far_out_or_in_it_stays_within_40_and_250_and_one_notch_brings_it_back)
{
    for (float fps : {10.0f, 30.0f, 60.0f, 144.0f}) {
        SCOPED_TRACE(fps);
        wheel_to(10 * notch, fps, 249.0f);
        wheel_to(-notch, fps, 199.0f);
        wheel_to(-10 * notch, fps, 41.0f);
    }
}

TEST_F(camera_steering, the_wheel_brings_it_back_from_above_the_top_limit)
{
    // Where a long frame used to leave it, with every later notch refused.
    camera.get_camera()->getParentSceneNode()->setPosition(0, 300, 200);
    camera.steer(mouse(0, -notch), 0.1f);
    for (int i = 0; i < 100; ++i)
        camera.steer(mouse(0, 0), 0.1f);
    EXPECT_NEAR(camera.get_camera_position().y, 41.0f, 1.0f);
}

TEST_F(camera_steering, it_glides_at_100_units_per_second_and_stops_within_one_unit)
{
    camera.steer(mouse(0, 2 * notch), 0.1f);
    EXPECT_NEAR(camera.get_target_height(), 160.0f, 1e-3f);
    EXPECT_NEAR(camera.get_camera_position().y, 70.0f, 1e-3f);
    camera.steer(mouse(0, 0), 0.1f);
    EXPECT_NEAR(camera.get_camera_position().y, 80.0f, 1e-3f);

    for (int i = 0; i < 20; ++i)
        camera.steer(mouse(0, 0), 0.1f);
    const Ogre::Vector3 stopped = camera.get_camera_position();
    EXPECT_NEAR(stopped.y, 160.0f, 1.0f);
    for (int i = 0; i < 5; ++i) {
        camera.steer(mouse(0, 0), 0.1f);
        EXPECT_EQ(camera.get_camera_position(), stopped) << "frame " << i;
    }
}

TEST_F(camera_steering, with_no_frame_time_nothing_moves_but_a_notch_still_moves_the_target)
{
    camera.steer(mouse(0, notch), 0.0f);
    EXPECT_NEAR(camera.get_target_height(), 110.0f, 1e-3f);
    EXPECT_EQ(camera.get_camera_position(), Ogre::Vector3(0, 60, 40));
}

TEST_F(camera_steering, the_ball_rolling_never_turns_the_view)
{
    lvl->get_player()->get_scene_node()->roll(Ogre::Degree(70));
    EXPECT_EQ(camera.get_camera_node()->_getDerivedOrientation(), Ogre::Quaternion::IDENTITY);
}
