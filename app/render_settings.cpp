#include "render_settings.h"

#include "window_size.h"

#include <algorithm>

namespace {

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
            int width = 0, height = 0;
            if (!read_window_size(value, width, height))
                return "config.cfg: \"Video Mode=" + value + "\" is not a size such as 1024 x 768";
            continue;
        }
        const auto& allowed = option.possibleValues;
        if (!allowed.empty() && std::find(allowed.begin(), allowed.end(), value) == allowed.end())
            return "config.cfg: \"" + name + "=" + value + "\" is not one of " + listed(allowed);
    }
    return "";
}
