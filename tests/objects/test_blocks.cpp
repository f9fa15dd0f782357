#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "objects/obj_block.h"
#include "objects/obj_player.h"
#include "support/level_fixture.h"

#include <OgreEntity.h>

#include <cmath>

namespace {

class blocks : public level_fixture {
protected:
    // The ball resting on a block top.
    // (The fall limit moves with it, so the ball is not sent back to the start.)
    void put_ball_on(level& lvl, const Ogre::Vector3& block_top)
    {
        lvl.get_player()->set_fall_reference_height(block_top.y);
        lvl.get_player()->get_actor()->set_position(block_top + Ogre::Vector3(0, 4, 0));
        lvl.get_player()->get_actor()->set_linear_velocity(Ogre::Vector3::ZERO);
    }
    // Out of the way, high up: seconds from the ground, with no fall limit
    // above it that would put it back meanwhile.
    void lift_ball(level& lvl)
    {
        put_ball_on(lvl, Ogre::Vector3(500, 500, 500));
        lvl.get_player()->set_fall_reference_height(0.0f);
    }
};

}

TEST_F(blocks, kinds_get_their_materials_and_bodies)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="block" id="plain" pos="0 0 0"/><Object type="block" id="fall" block_type="1" pos="20 0 0" rot="0 45 0"/>
        <Object type="block" id="speed" block_type="2" pos="40 0 0"/><Object type="block" id="push" block_type="3" pos="60 0 0" rot="30 0 0"/>
        <Object type="block" id="odd" block_type="7" pos="80 0 0"/>)");
    auto material = [&](const char* id) {
        return lvl->find_object(id)->get_entity()->getSubEntity(0)->getMaterialName();
    };
    EXPECT_EQ(material("plain"), "block");
    EXPECT_EQ(material("fall"), "block_dest");
    EXPECT_EQ(material("speed"), "block_speed");
    EXPECT_EQ(material("push"), "block_dest");
    EXPECT_EQ(material("odd"), "block");  // the mesh's own material
    EXPECT_FALSE(lvl->find_object("plain")->get_actor()->is_dynamic());
    EXPECT_TRUE(lvl->find_object("fall")->get_actor()->is_dynamic());
    // Kinds 1 and 3 stand unrotated whatever `rot` says.
    EXPECT_EQ(lvl->find_object("fall")->get_actor()->get_orientation(), Ogre::Quaternion::IDENTITY);
    EXPECT_EQ(lvl->find_object("push")->get_actor()->get_orientation(), Ogre::Quaternion::IDENTITY);
}

TEST_F(blocks, a_falling_block_gives_way_during_the_third_touch_of_0_15_s_and_is_gone_after_a_second)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/><Object type="block" id="fall" block_type="1" pos="0 50 0"/>)");
    auto* block = static_cast<obj_block*>(lvl->find_object("fall"));
    const Ogre::Vector3 top(0, 51, 0);
    for (int touch = 0; touch < 2; ++touch) {
        put_ball_on(*lvl, top);
        run(*lvl, 0.15f, 100.0f);
        EXPECT_FALSE(block->is_falling());
        lift_ball(*lvl);
        run(*lvl, 0.1f, 100.0f);
    }
    put_ball_on(*lvl, top);
    run(*lvl, 0.1f, 100.0f);
    EXPECT_TRUE(block->is_falling());
    EXPECT_LT(block->get_position().y, 50.0f);
    // It falls for one second, then is gone from sight and reach.
    lift_ball(*lvl);
    int frames = 0;
    while (block->get_actor()->collides() && frames < 200) {
        frame(*lvl, 0.01f);
        ++frames;
    }
    EXPECT_NEAR(frames, 100 - 5, 6);
    EXPECT_FALSE(block->get_entity()->getVisible());
}

TEST_F(blocks, a_fall_puts_every_crumbled_tile_back_as_the_level_began)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="block" id="gone" block_type="1" pos="0 50 0"/>
        <Object type="block" id="falling" block_type="1" pos="30 50 0"/>
        <Object type="block" id="touched" block_type="1" pos="60 50 0"/>)");
    const auto block = [&](const char* id) { return static_cast<obj_block*>(lvl->find_object(id)); };
    put_ball_on(*lvl, Ogre::Vector3(0, 51, 0));
    run(*lvl, 0.5f, 100.0f);
    lift_ball(*lvl);
    run(*lvl, 1.2f, 100.0f);
    put_ball_on(*lvl, Ogre::Vector3(30, 51, 0));
    run(*lvl, 0.5f, 100.0f);
    put_ball_on(*lvl, Ogre::Vector3(60, 51, 0));
    run(*lvl, 0.2f, 100.0f);
    ASSERT_FALSE(block("gone")->get_actor()->collides());
    ASSERT_TRUE(block("falling")->is_falling());
    ASSERT_LT(block("falling")->get_position().y, 50.0f);

    lvl->get_player()->respawn();
    for (const char* id : {"gone", "falling", "touched"}) {
        EXPECT_FALSE(block(id)->is_falling()) << id;
        EXPECT_TRUE(block(id)->get_actor()->collides()) << id;
        EXPECT_TRUE(block(id)->get_entity()->getVisible()) << id;
    }
    run(*lvl, 0.5f, 100.0f);
    EXPECT_EQ(block("gone")->get_position(), Ogre::Vector3(0, 50, 0));
    EXPECT_EQ(block("falling")->get_position(), Ogre::Vector3(30, 50, 0));
    EXPECT_EQ(block("falling")->get_actor()->get_orientation(), Ogre::Quaternion::IDENTITY);
    EXPECT_EQ(block("falling")->get_scene_node()->getPosition(), Ogre::Vector3(30, 50, 0));

    // Each gives way again only after a full 0.35 s of touch of its own.
    put_ball_on(*lvl, Ogre::Vector3(60, 51, 0));
    run(*lvl, 0.25f, 100.0f);
    EXPECT_FALSE(block("touched")->is_falling());
    put_ball_on(*lvl, Ogre::Vector3(0, 51, 0));
    run(*lvl, 0.5f, 100.0f);
    EXPECT_TRUE(block("gone")->is_falling());
    EXPECT_LT(block("gone")->get_position().y, 50.0f);
}

TEST_F(blocks, a_speed_block_pushes_once_per_start_of_touch_along_its_local_minus_z_at_every_rate)
{
    std::vector<Ogre::Vector3> kicks;
    for (float fps : {30.0f, 60.0f, 144.0f}) {
        auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
            <Object type="block" id="speed" block_type="2" pos="0 50 0" rot="0 90 0"/>)",
                               "speed" + std::to_string(int(fps)) + ".map");
        lvl->get_player()->get_actor()->raise_body_flag(BF_DISABLE_GRAVITY);
        put_ball_on(*lvl, Ogre::Vector3(0, 50.99f, 0));
        Ogre::Vector3 fastest = Ogre::Vector3::ZERO;
        float previous = 0.0f;
        int kicks_seen = 0;
        for (int i = 0; i < int(fps / 2); ++i) {
            frame(*lvl, 1.0f / fps);
            const Ogre::Vector3 v = lvl->get_player()->get_actor()->get_linear_velocity();
            kicks_seen += v.length() > previous + 5.0f;
            previous = v.length();
            if (v.length() > fastest.length())
                fastest = v;
        }
        EXPECT_EQ(kicks_seen, 1) << fps;
        kicks.push_back(fastest);
    }
    // Turned 90 degrees about Y, the block's -Z points along world -X.
    EXPECT_LT(kicks[0].x, -15.0f);
    EXPECT_NEAR(kicks[0].z, 0.0f, 0.5f);
    EXPECT_NEAR(kicks[1].x, kicks[0].x, std::fabs(kicks[0].x) * 0.05f);
    EXPECT_NEAR(kicks[2].x, kicks[0].x, std::fabs(kicks[0].x) * 0.05f);
}

TEST_F(blocks, touching_any_block_moves_the_fall_limit_to_its_height)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/><Object type="block" id="odd" block_type="9" pos="0 20 0"/>)");
    put_ball_on(*lvl, Ogre::Vector3(0, 21, 0));
    lvl->get_player()->set_fall_reference_height(40.0f);
    run(*lvl, 0.1f, 60.0f);
    EXPECT_FLOAT_EQ(lvl->get_player()->get_fall_reference_height(), 20.0f);
}

TEST_F(blocks, a_push_block_can_be_shoved_but_never_turns)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 89.75 0"/><Object type="block" pos="0 89 0" mesh="ground.mesh"/>
                             <Object type="block" id="push" block_type="3" pos="0 90.25 -15"/>)");
    run(*lvl, 0.3f, 60.0f);
    run(*lvl, 2.0f, 60.0f, {KC_W});
    game_object* block = lvl->find_object("push");
    EXPECT_LT(block->get_position().z, -16.0f);
    EXPECT_EQ(block->get_actor()->get_orientation(), Ogre::Quaternion::IDENTITY);
}

TEST_F(blocks, a_scaled_block_is_drawn_and_stands_at_its_scaled_size_and_a_bad_scale_keeps_the_mesh_s)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="block" id="big" pos="0 50 0" scale="3 2 3"/><Object type="block" id="plain" pos="100 50 0"/>
        <Object type="block" id="bad" pos="200 50 0" scale="0 1 1"/>)");
    auto* big = static_cast<obj_block*>(lvl->find_object("big"));
    EXPECT_EQ(big->get_scene_node()->getScale(), Ogre::Vector3(3, 2, 3));
    EXPECT_EQ(static_cast<obj_block*>(lvl->find_object("bad"))->get_scale(), Ogre::Vector3::UNIT_SCALE);
    EXPECT_EQ(lvl->find_object("bad")->get_scene_node()->getScale(), Ogre::Vector3::UNIT_SCALE);
    // 12 units out from the middle: on the big block's top, beside the plain one.
    put_ball_on(*lvl, Ogre::Vector3(12, 52, 12));
    run(*lvl, 1.0f, 100.0f);
    EXPECT_NEAR(lvl->get_player()->get_position().y, 52.0f + 4.0f, 1.0f);
    put_ball_on(*lvl, Ogre::Vector3(112, 51, 12));
    lvl->get_player()->set_fall_reference_height(0.0f);
    run(*lvl, 1.0f, 100.0f);
    EXPECT_LT(lvl->get_player()->get_position().y, 45.0f);
}
