#include "render_settings.h"

#include <algorithm>
#include <sstream>

namespace {

// X windows are at most 32767 wide; past 16384 no GL driver renders.
constexpr int largest_side = 16384;

bool usable_video_mode(const std::string& mode)
{
    std::istringstream in(mode);
    int width = 0, height = 0;
    char by = 0;
    std::string rest;
    if (!(in >> width >> by >> height) || by != 'x' || (in >> rest && rest != "@"))
        return false;
    return width > 0 && height > 0 && width <= largest_side && height <= largest_side;
}

std::string listed(const Ogre::StringVector& values)
{
    std::string text;
    for (const auto& value : values)
        text += (text.empty() ? "" : ", ") + value;
    return text;
}

}

std::string render_settings_problem(const Ogre::ConfigOptionMap& options)
{
    for (const auto& [name, option] : options) {
        const std::string& value = option.currentValue;
        if (name == "Video Mode") {
            if (!usable_video_mode(value))
                return "config.cfg: \"Video Mode=" + value + "\" is not a size such as 1024 x 768";
            continue;
        }
        const auto& allowed = option.possibleValues;
        if (!allowed.empty() && std::find(allowed.begin(), allowed.end(), value) == allowed.end())
            return "config.cfg: \"" + name + "=" + value + "\" is not one of " + listed(allowed);
    }
    return "";
}
