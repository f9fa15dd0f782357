#include "app/game_camera.h"
#include "app/key_names.h"
#include "app/physics/physics_body.h"
#include "objects/obj_player.h"
#include "support/level_fixture.h"

#include <OgreSceneNode.h>

namespace {

// A straight course along -Z: start, ten flush blocks, a checkpoint halfway
// and the target at the far end, far above the ground.
const char* const course = R"(
    <Object type="start" pos="0 100 0"/>
    <Object type="block" pos="0 99 -10"/><Object type="block" pos="0 99 -20"/>
    <Object type="block" pos="0 99 -30"/><Object type="block" pos="0 99 -40"/>
    <Object type="block" pos="0 99 -50"/><Object type="block" pos="0 99 -60"/>
    <Object type="checkpoint" pos="0 100 -70"/>
    <Object type="block" pos="0 99 -80"/><Object type="block" pos="0 99 -90"/>
    <Object type="target" pos="0 100 -100"/>)";

// A wide floor high above the ground (a block drawn with the ground's mesh).
const char* const open_floor =
    R"(<Object type="start" pos="0 100 0"/><Object type="block" pos="0 99.25 0" mesh="ground.mesh"/>)";

class player_ball : public level_fixture {
protected:
    std::unique_ptr<level> lvl = load_course(course);
    obj_player* ball = lvl->get_player();
};

}

TEST_F(player_ball, starts_5_above_the_start_with_its_respawn_point_there)
{
    EXPECT_EQ(ball->get_position(), Ogre::Vector3(0, 105, 0));
    EXPECT_EQ(ball->get_respawn_point(), Ogre::Vector3(0, 105, 0));
    EXPECT_FLOAT_EQ(ball->get_fall_reference_height(), 105.0f);
}

TEST_F(player_ball, w_rolls_it_in_the_camera_heading)
{
    run(*lvl, 0.5f, 60.0f);
    run(*lvl, 1.0f, 60.0f, {KC_W});
    EXPECT_LT(ball->get_position().z, -10.0f);
    EXPECT_NEAR(ball->get_position().x, 0.0f, 0.5f);

    // Turned by 90 degrees to the right, W leads along +X.
    lvl.reset();
    auto turned = load_course(open_floor, "turned.map");
    game_camera camera("game_cam", turned.get(), turned->get_player()->get_scene_node());
    camera.steer([] { mouse_state m; m.X.rel = 900; return m; }(), 0.016f);
    run(*turned, 0.5f, 60.0f, {}, &camera);
    run(*turned, 1.0f, 60.0f, {KC_W}, &camera);
    EXPECT_GT(turned->get_player()->get_position().x, 10.0f);
    EXPECT_NEAR(turned->get_player()->get_position().z, 0.0f, 0.5f);
}

TEST_F(player_ball, a_key_bound_anew_rolls_it_and_the_old_key_no_longer_does)
{
    lvl.reset();
    key_code up;
    ASSERT_TRUE(key_from_name("Up", up));
    ASSERT_TRUE(context.settings.keys.bind(key_bindings::forward, up));
    auto rebound = load_course(open_floor, "rebound.map");
    obj_player* rolled = rebound->get_player();
    run(*rebound, 0.5f, 60.0f);
    const Ogre::Vector3 start = rolled->get_position();
    run(*rebound, 1.0f, 60.0f, {KC_W});
    EXPECT_LT(start.distance(rolled->get_position()), 0.05f) << "W still rolls the ball";
    run(*rebound, 1.0f, 60.0f, {up});
    EXPECT_LT(rolled->get_position().z, start.z - 10.0f);
}

TEST_F(player_ball, two_keys_at_right_angles_push_no_harder_and_opposite_keys_cancel)
{
    run(*lvl, 0.5f, 60.0f);
    const Ogre::Vector3 start = ball->get_position();
    run(*lvl, 0.5f, 60.0f, {KC_W, KC_S});
    EXPECT_LT(start.distance(ball->get_position()), 0.05f);

    lvl.reset();
    auto distance = [&](const std::string& file, std::set<key_code> keys) {
        auto course_level = load_course(open_floor, file);
        run(*course_level, 0.5f, 60.0f);
        const Ogre::Vector3 from = course_level->get_player()->get_position();
        run(*course_level, 1.0f, 60.0f, keys);
        return from.distance(course_level->get_player()->get_position());
    };
    const float straight = distance("straight.map", {KC_W});
    const float diagonal = distance("diagonal.map", {KC_W, KC_D});
    EXPECT_NEAR(diagonal, straight, straight * 0.05f);
}

TEST_F(player_ball, falling_30_below_the_last_block_respawns_it_at_rest_at_the_checkpoint)
{
    run(*lvl, 0.5f, 60.0f);
    ball->get_actor()->set_position(Ogre::Vector3(0, 104, -60));
    run(*lvl, 0.2f, 60.0f);
    EXPECT_FLOAT_EQ(ball->get_fall_reference_height(), 99.0f);
    ball->get_actor()->set_position(Ogre::Vector3(0, 104, -70));
    run(*lvl, 0.2f, 60.0f);
    EXPECT_EQ(ball->get_respawn_point(), Ogre::Vector3(0, 110, -70));

    // Off the side: it falls until 30 below the block it touched last.
    ball->get_actor()->set_position(Ogre::Vector3(40, 104, -70));
    while (ball->get_position().y > 69.0f)
        frame(*lvl, 1.0f / 60.0f);
    EXPECT_GT(ball->get_position().y, 60.0f);
    lvl->update();
    EXPECT_EQ(ball->get_position(), Ogre::Vector3(0, 110, -70));
    EXPECT_EQ(ball->get_actor()->get_linear_velocity(), Ogre::Vector3::ZERO);
    EXPECT_EQ(ball->get_actor()->get_angular_velocity(), Ogre::Vector3::ZERO);
}

TEST_F(player_ball, touching_the_ground_respawns_it)
{
    auto low = load_course("<Object type=\"start\" pos=\"0 -200 0\"/>", "low.map");
    obj_player* low_ball = low->get_player();
    low_ball->set_fall_reference_height(-1000.0f);
    low_ball->get_actor()->set_position(Ogre::Vector3(50, 6, 50));
    run(*low, 1.0f, 60.0f);
    EXPECT_EQ(low_ball->get_respawn_point(), Ogre::Vector3(0, -195, 0));
    EXPECT_LT(low_ball->get_position().y, 0.0f);
}

TEST_F(player_ball, touching_the_target_completes_the_level_and_ends_respawning)
{
    ball->get_actor()->set_position(Ogre::Vector3(0, 106, -100));
    run(*lvl, 0.5f, 60.0f);
    ASSERT_TRUE(lvl->is_completed());
    ball->get_actor()->set_position(Ogre::Vector3(0, -500, 0));
    ball->update();
    ball->respawn();
    EXPECT_EQ(ball->get_position(), Ogre::Vector3(0, -500, 0));
}

TEST_F(player_ball, put_back_far_below_the_block_it_fell_from_it_can_roll_again)
{
    auto high = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="block" pos="0 99 0"/><Object type="block" pos="0 99 -10"/>
        <Object type="block" pos="0 99 -20"/><Object type="block" pos="50 200 0"/>)",
                            "high.map");
    obj_player* high_ball = high->get_player();
    run(*high, 0.3f, 60.0f);
    // Onto the high block (as a teleporter would put it), then off its side.
    high_ball->get_actor()->set_position(Ogre::Vector3(50, 205, 0));
    run(*high, 0.3f, 60.0f);
    ASSERT_FLOAT_EQ(high_ball->get_fall_reference_height(), 200.0f);
    high_ball->get_actor()->set_position(Ogre::Vector3(70, 205, 0));
    for (int i = 0; i < 300 && high_ball->get_position().x > 1.0f; ++i)
        frame(*high, 1.0f / 60.0f);
    ASSERT_LT(high_ball->get_position().distance(Ogre::Vector3(0, 105, 0)), 0.1f);
    EXPECT_FLOAT_EQ(high_ball->get_fall_reference_height(), 105.0f);

    run(*high, 1.0f, 60.0f, {KC_W});
    EXPECT_LT(high_ball->get_position().z, -10.0f);
}

TEST_F(player_ball, its_listener_goes_with_the_level)
{
    EXPECT_TRUE(input.has_listener("player_input"));
    lvl.reset();
    EXPECT_FALSE(input.has_listener("player_input"));
}
