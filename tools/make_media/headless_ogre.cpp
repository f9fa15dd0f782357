#include "headless_ogre.h"

#include <OgreDefaultHardwareBufferManager.h>
#include <OgreGpuProgramManager.h>
#include <OgreTextureManager.h>
#include <OgreLogManager.h>
#include <OgreMaterialManager.h>
#include <OgreMeshManager.h>
#include <OgreRoot.h>

headless_ogre::headless_ogre()
{
    if (!Ogre::LogManager::getSingletonPtr()) {
        log_manager = std::make_unique<Ogre::LogManager>();
        log_manager->createLog("make_media.log", true, false, true);
    }
    root = std::make_unique<Ogre::Root>("", "", "");
    Ogre::MaterialManager::getSingleton().initialise();
    buffer_manager = std::make_unique<Ogre::DefaultHardwareBufferManager>();
    // A render system would bring these two; material scripts that name
    // shader programs or textures need them to parse.
    program_manager = std::make_unique<Ogre::GpuProgramManager>();
    texture_manager = std::make_unique<Ogre::DefaultTextureManager>();
    Ogre::MeshManager::getSingleton()._initialise();
}

headless_ogre::~headless_ogre()
{
    // Mesh buffers report their end to the buffer manager, so the meshes go
    // first and the buffer manager last; resource managers leave the root's
    // resource groups, so they go before it.
    Ogre::MeshManager::getSingleton().removeAll();
    texture_manager.reset();
    program_manager.reset();
    root.reset();
    buffer_manager.reset();
    log_manager.reset();
}
