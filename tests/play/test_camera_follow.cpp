// The follow camera turns the camera after the rolling ball, slowly, and
// keeps its hands off while the player turns it.

#include "play/camera_follow.h"

#include <gtest/gtest.h>

#include <OgreMath.h>

namespace {

constexpr float dt = 1.0f / 60.0f;

// The camera node's heading after `counts`, as game_camera turns it.
Ogre::Quaternion turned(const Ogre::Quaternion& heading, int counts)
{
    return heading * Ogre::Quaternion(Ogre::Degree(-counts * 0.1f), Ogre::Vector3::UNIT_Y);
}

// Follows a ball rolling at `velocity` for `seconds`; the heading it ends on.
Ogre::Quaternion follow_for(camera_follow& follow, Ogre::Quaternion heading, const Ogre::Vector3& velocity,
                            float seconds)
{
    for (int i = 0; i < int(seconds / dt); ++i)
        heading = turned(heading, follow.turn(heading, velocity, 0, dt));
    return heading;
}

}

TEST(camera_follow, turns_slowly_until_it_looks_the_way_the_ball_rolls)
{
    camera_follow follow;
    // The camera looks along -Z; the ball rolls along +X, to its right.
    const Ogre::Vector3 right(30, 0, 0);
    const int first = follow.turn(Ogre::Quaternion::IDENTITY, right, 0, dt);
    EXPECT_GT(first, 0) << "the mouse's rightward counts turn the camera right";
    EXPECT_LE(first, 15) << "no faster than 90 degrees a second";
    const Ogre::Quaternion after_half = follow_for(follow, Ogre::Quaternion::IDENTITY, right, 0.5f);
    EXPECT_LT(after_half.getYaw().valueDegrees(), -20.0f);
    EXPECT_GT(after_half.getYaw().valueDegrees(), -80.0f) << "it turned at once, not slowly";
    EXPECT_NEAR(follow_for(follow, Ogre::Quaternion::IDENTITY, right, 5.0f).getYaw().valueDegrees(), -90.0f, 1.0f);
    // Rolling left, past the half turn where the angle wraps.
    const Ogre::Quaternion behind(Ogre::Degree(170), Ogre::Vector3::UNIT_Y);
    EXPECT_NEAR(follow_for(follow, behind, Ogre::Vector3(0, 0, 30), 5.0f).getYaw().valueDegrees(), 180.0f, 1.0f);
}

TEST(camera_follow, leaves_a_standing_ball_and_one_rolling_back_toward_the_camera_alone)
{
    camera_follow follow;
    for (int i = 0; i < 120; ++i) {
        EXPECT_EQ(follow.turn(Ogre::Quaternion::IDENTITY, Ogre::Vector3(2, -30, 0), 0, dt), 0) << "a falling ball";
        EXPECT_EQ(follow.turn(Ogre::Quaternion::IDENTITY, Ogre::Vector3(0, 0, 30), 0, dt), 0) << "S held";
    }
}

TEST(camera_follow, waits_after_the_player_turns_the_camera_before_following_again)
{
    camera_follow follow;
    const Ogre::Vector3 right(30, 0, 0);
    EXPECT_EQ(follow.turn(Ogre::Quaternion::IDENTITY, right, -4, dt), 0) << "it turned beside the player";
    int quiet = 0;
    while (follow.turn(Ogre::Quaternion::IDENTITY, right, 0, dt) == 0 && quiet < 600)
        ++quiet;
    EXPECT_NEAR(quiet * dt, camera_follow::wait_after_player, 2 * dt);
}
