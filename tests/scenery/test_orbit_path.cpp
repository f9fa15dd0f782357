#include "scenery/orbit_path.h"

#include <OgreMath.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The angle in degrees at which the eye looks down onto what it looks at.
float pitch_down(const orbit_path& path, double seconds)
{
    const Ogre::Vector3 look = path.target() - path.eye(seconds);
    return Ogre::Math::ATan2(-look.y, Ogre::Vector2(look.x, look.z).length()).valueDegrees();
}

// Whether the eye is over the course's ground plan.
bool over_course(const Ogre::Vector3& eye, const Ogre::Vector3& least, const Ogre::Vector3& most)
{
    return eye.x >= least.x && eye.x <= most.x && eye.z >= least.z && eye.z <= most.z;
}

}

TEST(orbit_path_test, the_eye_goes_round_a_long_course_looking_down_on_its_middle_without_passing_over_it)
{
    // A course like the Grand Tour's: narrow, long along -Z, a little height.
    const Ogre::Vector3 least(-10, 50, -666), most(105, 76, 0);
    const orbit_path path(least, most, 150.0f);
    EXPECT_TRUE(path.target().positionEquals(Ogre::Vector3(47.5f, 63, -333)));
    float nearest = 1e9f, farthest = 0.0f;
    for (int step = 0; step < 150; ++step) {
        const Ogre::Vector3 eye = path.eye(step);
        EXPECT_FALSE(over_course(eye, least, most)) << "at " << step << " s";
        EXPECT_GT(eye.y, most.y) << "at " << step << " s";
        EXPECT_GT(pitch_down(path, step), 15.0f) << "at " << step << " s";
        EXPECT_LT(pitch_down(path, step), 60.0f) << "at " << step << " s";
        const float distance = eye.distance(path.target());
        nearest = std::min(nearest, distance);
        farthest = std::max(farthest, distance);
        // Calm: a second of the round moves the eye only a little.
        EXPECT_LT(eye.distance(path.eye(step + 1)), 25.0f) << "at " << step << " s";
    }
    EXPECT_GT(farthest, nearest * 1.5f) << "a long course wants a long round, not a circle";
    EXPECT_TRUE(path.eye(10).positionEquals(path.eye(160), 0.01f)) << "a round takes 150 s";
}

TEST(orbit_path_test, a_course_of_one_block_gets_a_round_of_sensible_size)
{
    const orbit_path path(Ogre::Vector3(5, 50, 5), Ogre::Vector3(5, 50, 5), 150.0f);
    for (int step = 0; step < 150; step += 10) {
        const float distance = path.eye(step).distance(path.target());
        EXPECT_GT(distance, 50.0f) << "at " << step << " s";
        EXPECT_LT(distance, 300.0f) << "at " << step << " s";
    }
}
