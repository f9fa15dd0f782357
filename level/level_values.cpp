#include "level_values.h"

#include <OgreStringConverter.h>

#include <cmath>

Ogre::Vector3 parse_vector(const std::string& text)
{
    const Ogre::Vector3 v = Ogre::StringConverter::parseVector3(text);
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) ? v : Ogre::Vector3::ZERO;
}

Ogre::ColourValue parse_colour(const std::string& text, const Ogre::ColourValue& fallback)
{
    const Ogre::ColourValue c = Ogre::StringConverter::parseColourValue(text, fallback);
    return std::isfinite(c.r) && std::isfinite(c.g) && std::isfinite(c.b) && std::isfinite(c.a) ? c : fallback;
}

float parse_real(const std::string& text)
{
    const float value = Ogre::StringConverter::parseReal(text);
    return std::isfinite(value) ? value : 0.0f;
}
