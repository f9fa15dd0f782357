#include "camera_follow.h"

#include <algorithm>
#include <cmath>

namespace {

// The camera turns a tenth of a degree per count, against the count's sign.
constexpr double degrees_per_count = 0.1;
// Closes the gap to where the ball rolls by this part of it a second, no faster than the top rate.
constexpr double catch_up = 1.5;
constexpr double top_rate = 90.0;
// Below the first speed (units/s across the ground) nothing is followed; by
// the second, following is at its full rate.
constexpr double still_speed = 5.0;
constexpr double full_speed = 20.0;
// A ball rolling back toward the camera (S held) keeps the camera where it is.
constexpr double backward = 120.0;

}

int camera_follow::turn(const Ogre::Quaternion& heading, const Ogre::Vector3& velocity, int player_turn, float dt)
{
    if (player_turn != 0) {
        since_player = 0.0f;
        left_over = 0.0;
        return 0;
    }
    since_player = std::min(since_player + dt, wait_after_player);
    const double speed = std::hypot(double(velocity.x), double(velocity.z));
    if (since_player < wait_after_player || speed < still_speed) {
        left_over = 0.0;
        return 0;
    }
    // The camera looks along its node's -Z, turned by the node's yaw.
    const double looking = heading.getYaw().valueDegrees();
    const double rolling = std::atan2(-double(velocity.x), -double(velocity.z)) * 180.0 / M_PI;
    const double gap = std::remainder(rolling - looking, 360.0);
    if (std::fabs(gap) > backward) {
        left_over = 0.0;
        return 0;
    }
    const double pace = std::min(1.0, (speed - still_speed) / (full_speed - still_speed));
    const double rate = std::clamp(gap * catch_up, -top_rate, top_rate) * pace;
    const double exact = -rate * dt / degrees_per_count + left_over;
    const int whole = int(exact);
    left_over = exact - whole;
    return whole;
}
