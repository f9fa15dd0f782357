#include "app/game_camera.h"
#include "objects/obj_player.h"
#include "support/level_fixture.h"

#include <OgreSceneNode.h>

namespace {

class camera_steering : public level_fixture {
protected:
    mouse_state mouse(int x, int wheel)
    {
        mouse_state m;
        m.X.rel = x;
        m.Z.rel = wheel;
        return m;
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

TEST_F(camera_steering, the_wheel_sets_a_target_it_glides_to_within_the_limits)
{
    camera.steer(mouse(0, 120), 0.1f);
    // 60 + 120 × 0.1 × 25 = 360, clamped to 249.
    EXPECT_FLOAT_EQ(camera.get_target_height(), 249.0f);
    for (int i = 0; i < 600; ++i)
        camera.steer(mouse(0, 0), 0.01f);
    EXPECT_NEAR(camera.get_camera_position().y, 249.0f, 1.0f);

    // Above 250 the wheel forward does nothing; backward lowers, clamped to 41.
    camera.steer(mouse(0, -1200), 0.1f);
    EXPECT_FLOAT_EQ(camera.get_target_height(), 41.0f);
    for (int i = 0; i < 600; ++i)
        camera.steer(mouse(0, 0), 0.01f);
    EXPECT_NEAR(camera.get_camera_position().y, 41.0f, 1.0f);
    EXPECT_GE(camera.get_camera_position().y, 40.0f - 1.0f);
}

TEST_F(camera_steering, it_glides_at_100_units_per_second_and_stops_within_one_unit)
{
    camera.steer(mouse(0, 40), 0.1f);
    // 60 + 40 × 0.1 × 25 = 160.
    EXPECT_FLOAT_EQ(camera.get_target_height(), 160.0f);
    const float before = camera.get_camera_position().y;
    camera.steer(mouse(0, 0), 0.1f);
    EXPECT_NEAR(camera.get_camera_position().y - before, 10.0f, 1e-3f);
}

TEST_F(camera_steering, with_no_frame_time_nothing_moves_and_the_wheel_targets_where_it_is)
{
    camera.steer(mouse(0, 120), 0.0f);
    EXPECT_FLOAT_EQ(camera.get_target_height(), 60.0f);
    EXPECT_EQ(camera.get_camera_position(), Ogre::Vector3(0, 60, 40));
}

TEST_F(camera_steering, the_ball_rolling_never_turns_the_view)
{
    lvl->get_player()->get_scene_node()->roll(Ogre::Degree(70));
    EXPECT_EQ(camera.get_camera_node()->_getDerivedOrientation(), Ogre::Quaternion::IDENTITY);
}
