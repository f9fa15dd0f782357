#include "app/physics/physics_body.h"
#include "objects/obj_player.h"
#include "objects/obj_score.h"
#include "support/level_fixture.h"

#include <OgreEntity.h>

namespace {

class coins : public level_fixture {
protected:
    // The ball floats at 50 and glides along -Z at 40 units/s, through coins
    // lying 5 above 45.
    static obj_player* send_ball_along_the_coins(level& lvl)
    {
        obj_player* ball = lvl.get_player();
        ball->get_actor()->raise_body_flag(BF_DISABLE_GRAVITY);
        ball->set_fall_reference_height(50.0f);
        ball->get_actor()->set_position(Ogre::Vector3(0, 50, 0));
        ball->get_actor()->set_linear_velocity(Ogre::Vector3(0, 0, -40));
        ball->get_actor()->set_linear_damping(0.0f);
        return ball;
    }
};

}

TEST_F(coins, float_5_above_spin_and_blue_ones_are_worth_100)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="score" id="plain"/><Object type="score" id="blue" score_type="1" pos="20 0 0"/>
        <Object type="score" id="two" score_type="2" pos="40 0 0"/><Object type="score" id="still" rot_speed="0" pos="60 0 0"/>)");
    auto* plain = static_cast<obj_score*>(lvl->find_object("plain"));
    EXPECT_EQ(plain->get_position(), Ogre::Vector3(0, 5, 0));
    EXPECT_EQ(plain->get_points(), 10);
    EXPECT_EQ(static_cast<obj_score*>(lvl->find_object("blue"))->get_points(), 100);
    EXPECT_EQ(lvl->find_object("blue")->get_entity()->getSubEntity(0)->getMaterialName(), "score_blue");
    EXPECT_EQ(static_cast<obj_score*>(lvl->find_object("two"))->get_points(), 10);
    run(*lvl, 0.5f, 60.0f);
    EXPECT_NEAR(plain->get_actor()->get_angular_velocity().y, 2.0f, 0.01f);
    EXPECT_EQ(lvl->find_object("still")->get_actor()->get_orientation(), Ogre::Quaternion::IDENTITY);
    EXPECT_EQ(plain->get_position(), Ogre::Vector3(0, 5, 0));
}

TEST_F(coins, are_collected_once_and_the_ball_passes_straight_through)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="score" pos="0 45 -20"/><Object type="score" pos="0 45 -30"/>
        <Object type="score" pos="0 45 -40"/><Object type="score" score_type="1" pos="0 45 -50"/>)");
    obj_player* ball = send_ball_along_the_coins(*lvl);
    run(*lvl, 2.0f, 60.0f);
    EXPECT_EQ(lvl->get_score(), 130);
    EXPECT_NEAR(ball->get_actor()->get_linear_velocity().z, -40.0f, 0.01f);
    EXPECT_NEAR(ball->get_position().x, 0.0f, 1e-3f);
    // Back through where they were: nothing more.
    ball->get_actor()->set_position(Ogre::Vector3(0, 50, 0));
    run(*lvl, 2.0f, 60.0f);
    EXPECT_EQ(lvl->get_score(), 130);
    EXPECT_EQ(lvl->get_objects().size(), 3u);
}

TEST_F(coins, the_level_counts_the_coins_it_holds_and_those_taken)
{
    auto lvl = load_course(R"(<Object type="start" pos="0 100 0"/>
        <Object type="score" id="near" pos="0 45 -20"/><Object type="score" score_type="1" pos="0 45 -40"/>
        <Object type="score" id="near" pos="0 45 -60"/><Object type="score" pos="80 45 0"/>)");
    // The second "near" is refused: three coins.
    EXPECT_EQ(lvl->get_coin_total(), 3);
    EXPECT_EQ(lvl->get_coins_taken(), 0);
    send_ball_along_the_coins(*lvl);
    run(*lvl, 2.0f, 60.0f);
    EXPECT_EQ(lvl->get_coins_taken(), 2);
    EXPECT_EQ(lvl->get_score(), 110);
    EXPECT_EQ(lvl->get_coin_total(), 3);
}
