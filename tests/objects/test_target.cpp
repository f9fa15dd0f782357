#include "app/physics/physics_body.h"
#include "objects/obj_player.h"
#include "support/level_fixture.h"

namespace {

// A target pad whose top is at 100.5, high above the ground; the start lies
// off to the side.
class target : public level_fixture {
protected:
    std::unique_ptr<level> lvl =
        load_course(R"(<Object type="start" pos="100 100 0"/><Object type="target" pos="0 100 0"/>)");
    obj_player* ball = lvl->get_player();
};

}

TEST_F(target, the_ball_completes_the_level_through_the_flag_s_pole_on_the_pad)
{
    ball->get_actor()->set_position(Ogre::Vector3(0, 110, 0));
    run(*lvl, 0.5f, 60.0f);
    EXPECT_TRUE(lvl->is_completed());
}

TEST_F(target, a_ball_falling_past_the_flag_beside_the_pad_touches_nothing)
{
    // Within reach of the cloth, out of reach of the pad.
    ball->get_actor()->set_position(Ogre::Vector3(10.5f, 125, 0));
    run(*lvl, 0.85f, 60.0f);
    EXPECT_FALSE(lvl->is_completed());
    EXPECT_LT(ball->get_position().y, 99.5f) << "the ball did not fall past the pad";
}
