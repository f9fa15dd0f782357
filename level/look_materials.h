#pragma once

// Puts a course_look on the shared block and ground materials. They are
// shared by every level, so a look is put on before a level is built and
// stays until the next one. Without OGRE's materials (headless runs) it does
// nothing.

#include <string>

class look_materials {
public:
    static void apply(const std::string& look);
    // The texture the material's first pass wears; empty without the material.
    static std::string texture_of(const std::string& material);
};
