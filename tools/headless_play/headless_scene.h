#pragma once

// A real OGRE scene manager without a window or render system, so tests and
// benchmarks can build levels, meshes and scene nodes with no display.

#include "headless_ogre.h"

#include <OgreMesh.h>

#include <string>

namespace Ogre {
class SceneManager;
}

class headless_scene {
public:
    headless_scene();
    ~headless_scene();

    // An in-memory closed box mesh of the given full edge lengths, centred.
    Ogre::MeshPtr make_box_mesh(const std::string& name, float x, float y, float z);

    headless_ogre ogre;
    Ogre::SceneManager* scene_manager = nullptr;
};
