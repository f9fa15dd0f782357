#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "app/physics/physics_world.h"
#include "headless_play/headless_scene.h"
#include "support/log_capture.h"

#include <OgreEntity.h>
#include <OgreSceneNode.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class physics_visuals : public ::testing::Test {
protected:
    physics_visuals()
    {
        ogre.make_box_mesh("block_10_10.mesh", 10, 2, 10);
        scene = world.create_scene("visual_scene", ogre.scene_manager);
        scene->set_gravity(Ogre::Vector3(0, -100, 0));
    }

    // A ball with no gravity, rolling along +X at `speed`.
    physics_body* make_coasting_ball(float speed)
    {
        actor_params params;
        params.mass = 1.0f;
        params.gravity_disabled = true;
        physics_body* ball = scene->create_body("ball", "block_10_10.mesh", shape_desc::make_sphere(4.0f),
                                                {Ogre::Vector3::ZERO}, params);
        ball->set_linear_velocity(Ogre::Vector3(speed, 0, 0));
        ball->set_angular_velocity(Ogre::Vector3(0, 0, -speed / 4.0f));
        return ball;
    }

    void frame(float dt)
    {
        world.simulate(dt);
        world.render(dt);
    }

    static Ogre::Vector3 drawn(const physics_body* body) { return body->get_scene_node()->getPosition(); }

    // While a body moves its node is drawn between its last two steps.
    static float gap_to_body(const physics_body* body) { return drawn(body).distance(body->get_position()); }
    static float step_travel(const physics_body* body)
    {
        return body->get_linear_velocity().length() * physics_scene::step * 1.001f;
    }

    headless_scene ogre;
    physics_world world;
    physics_scene* scene;
};

}

TEST_F(physics_visuals, scene_nodes_carry_the_mesh_and_follow_their_bodies_after_render)
{
    actor_params params;
    params.mass = 10.0f;
    physics_body* body = scene->create_body("falling", "block_10_10.mesh", shape_desc::make_cube(10, 2, 10),
                                            {Ogre::Vector3(0, 50, 0)}, params);
    ASSERT_NE(body->get_scene_node(), nullptr);
    ASSERT_NE(body->get_entity(), nullptr);
    EXPECT_EQ(body->get_entity()->getMesh()->getName(), "block_10_10.mesh");
    world.simulate(0.5f);
    EXPECT_EQ(body->get_scene_node()->getPosition(), Ogre::Vector3(0, 50, 0));
    world.render(0.5f);
    EXPECT_LE(gap_to_body(body), step_travel(body));
    EXPECT_LT(body->get_scene_node()->getPosition().y, 50.0f);

    scene->destroy_body("falling");
    EXPECT_EQ(ogre.scene_manager->getRootSceneNode()->numChildren(), 0u);
}

TEST_F(physics_visuals, a_body_knocked_from_rest_is_followed_by_its_node)
{
    actor_params params;
    params.mass = 10.0f;
    params.gravity_disabled = true;
    const shape_desc box = shape_desc::make_cube(10, 2, 10);
    physics_body* resting = scene->create_body("resting", "block_10_10.mesh", box, {Ogre::Vector3(0, 0, 0)}, params);
    physics_body* thrown = scene->create_body("thrown", "block_10_10.mesh", box, {Ogre::Vector3(-30, 0, 0)}, params);
    for (int i = 0; i < 30; ++i) {
        world.simulate(1.0f / 60.0f);
        world.render(1.0f / 60.0f);
    }
    thrown->set_linear_velocity(Ogre::Vector3(50, 0, 0));
    for (int i = 0; i < 60; ++i) {
        world.simulate(1.0f / 60.0f);
        world.render(1.0f / 60.0f);
    }
    EXPECT_GT(resting->get_position().x, 1.0f);
    EXPECT_LE(gap_to_body(resting), step_travel(resting));
    EXPECT_LE(gap_to_body(thrown), step_travel(thrown));
}

TEST_F(physics_visuals, a_ball_at_constant_speed_is_drawn_moving_the_same_distance_each_frame_at_60_90_and_144_fps)
{
    const float speed = 60.0f;
    for (const float fps : {60.0f, 90.0f, 144.0f}) {
        SCOPED_TRACE(fps);
        physics_body* ball = make_coasting_ball(speed);
        const float dt = 1.0f / fps;
        for (int i = 0; i < 3; ++i)
            frame(dt);
        float shortest = speed, longest = 0.0f;
        for (int i = 0; i < int(fps); ++i) {
            const Ogre::Vector3 before = drawn(ball);
            frame(dt);
            shortest = std::min(shortest, drawn(ball).distance(before));
            longest = std::max(longest, drawn(ball).distance(before));
        }
        EXPECT_GE(shortest, 0.9f * speed * dt);
        EXPECT_LE(longest, 1.1f * speed * dt);
        scene->destroy_body(ball);
    }
}

TEST_F(physics_visuals, a_body_placed_by_code_is_drawn_there_at_once_and_moves_on_without_a_glide)
{
    const float speed = 60.0f;
    const float dt = 1.0f / 144.0f;
    physics_body* ball = make_coasting_ball(speed);
    for (int i = 0; i < 10; ++i)
        frame(dt);
    // As a teleporter does, in a trigger report at the end of simulate.
    const Ogre::Vector3 target(0, 0, -500);
    ball->set_position(target);
    world.render(dt);
    EXPECT_EQ(drawn(ball), target);
    for (int i = 0; i < 2; ++i)
        frame(dt);
    EXPECT_GT(drawn(ball).x, target.x);
    EXPECT_LE(drawn(ball).distance(target), 2.2f * speed * dt);
}

TEST_F(physics_visuals, a_body_that_comes_to_rest_is_drawn_exactly_at_its_rest_pose)
{
    physics_body* ball = make_coasting_ball(60.0f);
    for (int i = 0; i < 10; ++i)
        frame(1.0f / 144.0f);
    ball->set_linear_velocity(Ogre::Vector3::ZERO);
    ball->set_angular_velocity(Ogre::Vector3::ZERO);
    for (int i = 0; i < 10; ++i)
        frame(1.0f / 144.0f);
    EXPECT_EQ(drawn(ball), ball->get_position());
    // The node keeps its orientation normalised.
    EXPECT_TRUE(ball->get_scene_node()->getOrientation().equals(ball->get_orientation(), Ogre::Radian(1e-5f)));
}

TEST_F(physics_visuals, a_convex_hull_is_built_once_per_mesh_from_its_vertices)
{
    actor_params fixed;
    for (int i = 0; i < 100; ++i)
        scene->create_body("block" + std::to_string(i), "block_10_10.mesh", shape_desc::make_convex("block_10_10.mesh"),
                           {Ogre::Vector3(10.0f * i, 0, 0)}, fixed);
    EXPECT_EQ(world.convex_hull("block_10_10.mesh"), world.convex_hull("block_10_10.mesh"));

    actor_params ball;
    ball.mass = 1.0f;
    physics_body* dropped = scene->create_body("ball", "block_10_10.mesh", shape_desc::make_sphere(4.0f),
                                               {Ogre::Vector3(30, 20, 0)}, ball);
    for (int i = 0; i < 240; ++i)
        world.simulate(1.0f / 60.0f);
    // The hull's top is at y = 1: the ball rests 4 above it.
    EXPECT_NEAR(dropped->get_position().y, 5.0f, 0.1f);
}

TEST_F(physics_visuals, a_missing_mesh_still_gives_a_body_and_a_clear_log_line)
{
    log_capture log;
    actor_params fixed;
    physics_body* body = scene->create_body("odd", "no_such.mesh", shape_desc::make_convex("no_such.mesh"),
                                            {Ogre::Vector3::ZERO}, fixed);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->get_entity(), nullptr);
    EXPECT_TRUE(log.contains("odd: mesh no_such.mesh cannot be loaded"));
    EXPECT_TRUE(log.contains(
        "no_such.mesh: no collision shape can be made from the mesh; a cube of edge 1 is used"));
}
