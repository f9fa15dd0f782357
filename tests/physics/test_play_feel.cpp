#include "physics_fixture.h"

#include <algorithm>
#include <cmath>

namespace {

class play_feel : public physics_fixture {
protected:
    // The ball starts at rest on the first block of a long floor.
    physics_body* ball_on_floor(int blocks = 60)
    {
        build_floor(blocks);
        physics_body* ball = make_ball(Ogre::Vector3(0, 5, 0));
        run(1.0f, 60.0f);
        return ball;
    }
};

float distance_after_w(float fps)
{
    struct runner : play_feel {
        void TestBody() override {}
        float go(float fps)
        {
            physics_body* ball = ball_on_floor();
            const Ogre::Vector3 start = ball->get_position();
            run(2.0f, fps, [&](float dt) { hold_w(ball, dt); });
            return start.distance(ball->get_position());
        }
    } r;
    return r.go(fps);
}

}

TEST(play_feel_rates, holding_w_moves_the_ball_equally_far_at_30_60_and_144_fps)
{
    const float at60 = distance_after_w(60.0f);
    EXPECT_GT(at60, 10.0f);
    EXPECT_NEAR(distance_after_w(30.0f), at60, at60 * 0.05f);
    EXPECT_NEAR(distance_after_w(144.0f), at60, at60 * 0.05f);
}

TEST_F(play_feel, the_ball_gains_speed_briskly_and_tops_out_at_a_playable_speed)
{
    physics_body* ball = ball_on_floor(200);
    run(1.0f, 60.0f, [&](float dt) { hold_w(ball, dt); });
    const float after_one_second = ball->get_linear_velocity().length();
    EXPECT_GE(after_one_second, 15.0f);
    EXPECT_LE(after_one_second, 40.0f);
    run(9.0f, 60.0f, [&](float dt) { hold_w(ball, dt); });
    const float top = ball->get_linear_velocity().length();
    EXPECT_GE(top, 25.0f);
    EXPECT_LE(top, 70.0f);
    RecordProperty("speed_after_1s", std::to_string(after_one_second));
    RecordProperty("top_speed", std::to_string(top));
}

TEST_F(play_feel, rolling_across_flush_blocks_gives_no_bump)
{
    physics_body* ball = ball_on_floor(14);
    const float rolling_height = ball->get_position().y;
    float highest = rolling_height;
    for (int i = 0; i < 600 && ball->get_position().z > -100.0f; ++i) {
        frame(1.0f / 60.0f, [&](float dt) { hold_w(ball, dt); });
        highest = std::max(highest, ball->get_position().y);
    }
    EXPECT_LT(ball->get_position().z, -100.0f);
    EXPECT_LE(highest - rolling_height, 0.5f);
}

TEST_F(play_feel, a_ball_at_top_speed_does_not_pass_a_thin_wall)
{
    physics_body* ball = ball_on_floor(200);
    run(6.0f, 60.0f, [&](float dt) { hold_w(ball, dt); });
    const float wall_z = ball->get_position().z - 30.0f;
    make_static_cube("wall", Ogre::Vector3(0, 10, wall_z), Ogre::Vector3(40, 20, 0.5f));
    run(3.0f, 60.0f, [&](float dt) { hold_w(ball, dt); });
    EXPECT_GT(ball->get_position().z, wall_z);
}

TEST_F(play_feel, a_ball_dropped_from_200_comes_to_rest_on_a_block)
{
    build_floor(1);
    physics_body* ball = make_ball(Ogre::Vector3(0, 200, 0));
    run(8.0f, 60.0f);
    EXPECT_NEAR(ball->get_position().y, 5.0f, 0.2f);
    EXPECT_LT(ball->get_linear_velocity().length(), 1.0f);
    EXPECT_LT(std::fabs(ball->get_position().x), 5.0f);
}

TEST_F(play_feel, a_speed_block_kick_is_the_same_at_every_frame_rate)
{
    for (float fps : {30.0f, 60.0f, 144.0f}) {
        physics_body* ball = make_ball(Ogre::Vector3(0, 500, 1000.0f * fps));
        ball->raise_body_flag(BF_DISABLE_GRAVITY);
        // One push per start of touch, scaled by a fixed 1/60 s.
        ball->add_force(Ogre::Vector3(0, 0, -1) * (300000000.0f / 60.0f));
        frame(1.0f / fps);
        const float kick = ball->get_linear_velocity().length();
        EXPECT_GE(kick, 15.0f) << fps;
        EXPECT_LE(kick, 40.0f) << fps;
        scene->destroy_body(ball);
    }
}

TEST_F(play_feel, a_platform_covers_a_50_unit_leg_at_speed_150_in_2_to_6_seconds)
{
    shape_desc slab = shape_desc::make_cube(20, 2, 20);
    actor_params params;
    params.is_static = true;
    params.mass = 1000000.0f;
    params.density = 500000.0f;
    physics_body* platform = scene->create_body("platform", "block_2_2.mesh", slab, {Ogre::Vector3(0, 0, 0)}, params);
    platform->raise_body_flag(BF_DISABLE_GRAVITY);
    platform->raise_body_flag(BF_FROZEN_ROT);
    platform->raise_body_flag(BF_FROZEN_POS_Y);
    platform->set_linear_damping(10.0f);
    const Ogre::Vector3 leg(50, 0, 0);
    float elapsed = 0.0f;
    while (platform->get_position().x < 49.0f && elapsed < 20.0f) {
        frame(1.0f / 60.0f, [&](float dt) { platform->add_force(leg * 1000000.0f * dt * 150.0f); });
        elapsed += 1.0f / 60.0f;
    }
    EXPECT_GE(elapsed, 2.0f);
    EXPECT_LE(elapsed, 6.0f);
    EXPECT_FLOAT_EQ(platform->get_position().y, 0.0f);
}

TEST_F(play_feel, the_same_run_twice_gives_identical_poses)
{
    auto play = [](physics_fixture& f) {
        f.build_floor(20);
        physics_body* ball = f.make_ball(Ogre::Vector3(1, 30, 0));
        f.run(3.0f, 60.0f, [&](float dt) { hold_w(ball, dt); });
        return ball->get_pose();
    };
    struct again : physics_fixture {
        void TestBody() override {}
    } other;
    const pose first = play(*this);
    const pose second = play(other);
    EXPECT_EQ(first.position, second.position);
    EXPECT_EQ(first.orientation, second.orientation);
}
