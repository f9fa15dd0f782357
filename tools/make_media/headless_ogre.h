#pragma once

// OGRE without a window or a GPU: a root with no plug-ins, software buffer,
// texture and program managers, and initialised mesh and material managers.
// Enough to build, write and read meshes and to parse material and compositor
// scripts (textures and shaders are named, never loaded). One may exist at a
// time per process; it creates the log manager (with a silent log) only when
// none exists yet, and frees every mesh before it takes the root down.

#include <memory>

namespace Ogre {
class LogManager;
class Root;
class DefaultHardwareBufferManager;
class GpuProgramManager;
class TextureManager;
}

class headless_ogre {
public:
    headless_ogre();
    ~headless_ogre();
    headless_ogre(const headless_ogre&) = delete;
    headless_ogre& operator=(const headless_ogre&) = delete;

private:
    std::unique_ptr<Ogre::LogManager> log_manager;
    std::unique_ptr<Ogre::Root> root;
    std::unique_ptr<Ogre::DefaultHardwareBufferManager> buffer_manager;
    std::unique_ptr<Ogre::GpuProgramManager> program_manager;
    std::unique_ptr<Ogre::TextureManager> texture_manager;
};
