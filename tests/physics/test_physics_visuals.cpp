#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "app/physics/physics_world.h"
#include "support/headless_scene.h"
#include "support/log_capture.h"

#include <OgreEntity.h>
#include <OgreSceneNode.h>

#include <gtest/gtest.h>

namespace {

class physics_visuals : public ::testing::Test {
protected:
    physics_visuals()
    {
        ogre.make_box_mesh("block_10_10.mesh", 10, 2, 10);
        scene = world.create_scene("visual_scene", ogre.scene_manager);
        scene->set_gravity(Ogre::Vector3(0, -100, 0));
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
    EXPECT_EQ(body->get_scene_node()->getPosition(), body->get_position());
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
    EXPECT_EQ(resting->get_scene_node()->getPosition(), resting->get_position());
    EXPECT_EQ(thrown->get_scene_node()->getPosition(), thrown->get_position());
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
    EXPECT_TRUE(log.contains("odd: Mesh no_such.mesh kann nicht geladen werden"));
    EXPECT_TRUE(log.contains(
        "no_such.mesh: Kollisionsform kann nicht aus dem Mesh erstellt werden, ein Würfel der Kantenlänge 1 wird verwendet"));
}
