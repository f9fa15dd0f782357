#include "level_values.h"

#include "app/log.h"

#include <OgreStringConverter.h>

#include <cmath>

namespace {

bool usable(float v)
{
    return std::isfinite(v) && std::fabs(v) <= max_level_coordinate;
}

// Level files come from anyone: say which value was not taken, briefly.
void log_refused(const std::string& text, const char* instead)
{
    const std::string shown = text.size() > 40 ? text.substr(0, 40) + "..." : text;
    log_line("Invalid value \"" + shown + "\" in a level file; using " + instead);
}

}

Ogre::Vector3 parse_vector(const std::string& text)
{
    Ogre::Vector3 v;
    if (Ogre::StringConverter::parse(text, v) && usable(v.x) && usable(v.y) && usable(v.z))
        return v;
    log_refused(text, "0 0 0");
    return Ogre::Vector3::ZERO;
}

Ogre::ColourValue parse_colour(const std::string& text, const Ogre::ColourValue& fallback)
{
    const Ogre::ColourValue c = Ogre::StringConverter::parseColourValue(text, fallback);
    if (std::isfinite(c.r) && std::isfinite(c.g) && std::isfinite(c.b) && std::isfinite(c.a))
        return c;
    log_refused(text, "die Vorgabe");
    return fallback;
}

float parse_real(const std::string& text)
{
    const float value = Ogre::StringConverter::parseReal(text);
    if (std::isfinite(value))
        return value;
    log_refused(text, "0");
    return 0.0f;
}
