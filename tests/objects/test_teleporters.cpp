#include "app/physics/physics_body.h"
#include "objects/obj_player.h"
#include "objects/obj_teleporter.h"
#include "support/level_fixture.h"

namespace {

class teleporters : public level_fixture {
protected:
    void drop_ball_on(level& lvl, const Ogre::Vector3& pad)
    {
        lvl.get_player()->set_fall_reference_height(pad.y);
        lvl.get_player()->get_actor()->set_position(pad + Ogre::Vector3(0, 5, 0));
        lvl.get_player()->get_actor()->set_linear_velocity(Ogre::Vector3(3, 0, 0));
    }
};

}

TEST_F(teleporters, a_target_position_puts_arrivals_5_higher_at_rest_with_a_new_fall_limit)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="teleporter" id="pad" pos="0 50 0" target_pos="10 0 10"/>)");
    lvl->get_player()->get_actor()->raise_body_flag(BF_DISABLE_GRAVITY);
    drop_ball_on(*lvl, Ogre::Vector3(0, 50, 0));
    // Entering is noticed in one frame, staying inside sends it in the next.
    frame(*lvl, 1.0f / 60.0f);
    frame(*lvl, 1.0f / 60.0f);
    EXPECT_EQ(lvl->get_player()->get_position(), Ogre::Vector3(10, 5, 10));
    EXPECT_EQ(lvl->get_player()->get_actor()->get_linear_velocity(), Ogre::Vector3::ZERO);
    EXPECT_FLOAT_EQ(lvl->get_player()->get_fall_reference_height(), 0.0f);
}

TEST_F(teleporters, two_pads_naming_each_other_send_the_ball_once_until_it_leaves)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="block" pos="0 49 0" mesh="ground.mesh"/>
        <Object type="teleporter" id="a" pos="0 50 0" target_id="b"/>
        <Object type="teleporter" id="b" pos="100 50 0" target_id="a"/>)");
    drop_ball_on(*lvl, Ogre::Vector3(0, 50, 0));
    lvl->get_player()->get_actor()->set_linear_velocity(Ogre::Vector3::ZERO);
    run(*lvl, 1.0f, 60.0f);
    EXPECT_NEAR(lvl->get_player()->get_position().x, 100.0f, 0.5f);
    EXPECT_TRUE(static_cast<obj_teleporter*>(lvl->find_object("b"))->is_disarmed());
    // Rolling off re-arms it.
    lvl->get_player()->get_actor()->set_position(Ogre::Vector3(130, 55, 0));
    run(*lvl, 0.2f, 60.0f);
    EXPECT_FALSE(static_cast<obj_teleporter*>(lvl->find_object("b"))->is_disarmed());
}

TEST_F(teleporters, other_dynamic_bodies_are_moved_and_unknown_bodies_ignored)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="teleporter" id="pad" pos="0 50 0" target_pos="0 200 0"/>
        <Object type="block" id="crate" block_type="3" pos="0 53 0"/>
        <Object type="score" id="coin" pos="600 50 0"/>
        <Object type="teleporter" id="to_the_coin" pos="300 50 0" target_id="coin"/>)");
    frame(*lvl, 1.0f / 60.0f);
    frame(*lvl, 1.0f / 60.0f);
    EXPECT_EQ(lvl->find_object("crate")->get_position(), Ogre::Vector3(0, 205, 0));
    // A destination that is gone, as a taken coin is, sends arrivals to the
    // origin (a level whose target_id names nothing is refused as it loads).
    lvl->find_object("coin")->remove();
    drop_ball_on(*lvl, Ogre::Vector3(300, 50, 0));
    lvl->get_player()->get_actor()->raise_body_flag(BF_DISABLE_GRAVITY);
    for (int i = 0; i < 5 && lvl->get_player()->get_position().x > 100.0f; ++i)
        frame(*lvl, 1.0f / 60.0f);
    EXPECT_EQ(lvl->get_player()->get_position(), Ogre::Vector3(0, 0, 0));
}
