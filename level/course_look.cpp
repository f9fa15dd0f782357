#include "course_look.h"

#include <algorithm>
#include <iterator>

namespace {

const char* const looks[] = {course_look::meadow, "foundry", "glacier", "sandstone"};

// The meadow's pictures were the only ones before there were looks and keep their plain names.
std::string texture(const std::string& surface, const std::string& look)
{
    const bool own = course_look::is_known(look) && look != course_look::meadow;
    return own ? surface + "_" + look + ".png" : surface + ".png";
}

}

bool course_look::is_known(const std::string& name)
{
    return std::find(std::begin(looks), std::end(looks), name) != std::end(looks);
}

std::string course_look::block_texture(const std::string& name)
{
    return texture("block", name);
}

std::string course_look::ground_texture(const std::string& name)
{
    return texture("ground", name);
}
