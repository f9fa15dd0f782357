#include "orbit_path.h"

#include <OgreMath.h>

#include <algorithm>
#include <cmath>

namespace {

// Room between the course's edge and the eye's path, at least and as a share
// of the course's larger half: the course fills much of the view without the
// eye passing over it.
constexpr float least_margin = 80.0f;
constexpr float margin_share = 0.35f;
// Height over the middle as a share of the ellipse's mean half width: the eye
// looks down at about 30 degrees, onto the course rather than across it.
constexpr float height_share = 0.6f;

}

orbit_path::orbit_path(const Ogre::Vector3& least, const Ogre::Vector3& most, float period)
    : middle((least + most) * 0.5f), period(std::max(period, 1.0f))
{
    const Ogre::Vector3 half = (most - least) * 0.5f;
    const float margin = std::max(least_margin, margin_share * std::max(half.x, half.z));
    across = std::fabs(half.x) + margin;
    along = std::fabs(half.z) + margin;
    height = std::fabs(half.y) + height_share * (across + along) * 0.5f;
}

Ogre::Vector3 orbit_path::eye(double seconds) const
{
    const double turn = std::fmod(seconds / period, 1.0) * Ogre::Math::TWO_PI;
    return middle + Ogre::Vector3(across * float(std::cos(turn)), height, along * float(std::sin(turn)));
}
