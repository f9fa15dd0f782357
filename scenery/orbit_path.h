#pragma once

// The title screen's calm flight round a course: the eye goes once round an
// ellipse that fits the course's ground plan in `period` seconds, high
// enough to look down on it, always looking at the course's middle. A long
// course gets a long ellipse, so its ends are seen as well as its width; a
// course of one block still gets a round of sensible size.

#include <OgreVector.h>

class orbit_path {
public:
    // `least` and `most`: the corners of the box round every object of the course.
    orbit_path(const Ogre::Vector3& least, const Ogre::Vector3& most, float period);

    // Where the eye is `seconds` into the flight.
    Ogre::Vector3 eye(double seconds) const;
    // What it looks at.
    const Ogre::Vector3& target() const { return middle; }

private:
    Ogre::Vector3 middle;
    // The ellipse's half widths along X and Z, and the eye's height over the middle.
    float across;
    float along;
    float height;
    float period;
};
