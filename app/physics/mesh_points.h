#pragma once

// The vertex positions of an OGRE mesh found by name in the resource groups,
// duplicates removed. Empty when the mesh cannot be loaded or read.

#include <OgreVector.h>

#include <string>
#include <vector>

std::vector<Ogre::Vector3> mesh_points(const std::string& mesh);
