#pragma once

// The skin a campaign gives its courses: the pictures its blocks and the
// ground wear ("meadow": grey stone on green, the first campaign's). Names
// only, so the level checker can check them without OGRE; look_materials
// puts a look on.

#include <string>

class course_look {
public:
    static constexpr const char* meadow = "meadow";

    static bool is_known(const std::string& name);
    // The textures of the look named; an unknown name wears the meadow's.
    static std::string block_texture(const std::string& name);
    static std::string ground_texture(const std::string& name);
};
