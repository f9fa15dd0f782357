#pragma once

// A real OGRE root and scene manager without a window or render system, so
// tests can build levels, meshes and scene nodes with no display.

#include <OgreMesh.h>

#include <memory>
#include <string>

namespace Ogre {
class DefaultHardwareBufferManager;
class LogManager;
class Root;
class SceneManager;
}

class headless_ogre {
public:
    headless_ogre();
    ~headless_ogre();

    // An in-memory closed box mesh of the given full edge lengths, centred.
    Ogre::MeshPtr make_box_mesh(const std::string& name, float x, float y, float z);

    Ogre::SceneManager* scene_manager = nullptr;

private:
    std::unique_ptr<Ogre::LogManager> log_manager;
    std::unique_ptr<Ogre::Root> root;
    std::unique_ptr<Ogre::DefaultHardwareBufferManager> buffers;
};
