#pragma once

// The text forms of values in level files: a vector is three reals separated
// by white space ((0, 0, 0) when malformed), a colour three or four reals
// (alpha 1 with three; opaque black when malformed), a real a decimal number.
// Values that are not finite count as malformed, and so do vector components
// beyond max_level_coordinate, where the physics has lost all precision.
// Malformed vectors and values that are not finite are logged.

#include <OgreColourValue.h>
#include <OgreVector.h>

#include <string>

constexpr float max_level_coordinate = 1.0e6f;

Ogre::Vector3 parse_vector(const std::string& text);
Ogre::ColourValue parse_colour(const std::string& text, const Ogre::ColourValue& fallback = Ogre::ColourValue::Black);
float parse_real(const std::string& text);
