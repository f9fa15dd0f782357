#include "headless_ogre.h"

#include <OgreDefaultHardwareBufferManager.h>
#include <OgreLogManager.h>
#include <OgreManualObject.h>
#include <OgreMaterialManager.h>
#include <OgreMeshManager.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>

headless_ogre::headless_ogre()
{
    if (!Ogre::LogManager::getSingletonPtr()) {
        log_manager = std::make_unique<Ogre::LogManager>();
        log_manager->createLog("headless.log", true, false, true);
    }
    root = std::make_unique<Ogre::Root>("", "", "");
    Ogre::MaterialManager::getSingleton().initialise();
    buffers = std::make_unique<Ogre::DefaultHardwareBufferManager>();
    Ogre::MeshManager::getSingleton()._initialise();
    scene_manager = root->createSceneManager();
}

headless_ogre::~headless_ogre()
{
    root->destroySceneManager(scene_manager);
    Ogre::MeshManager::getSingleton().removeAll();
    root.reset();
    buffers.reset();
    log_manager.reset();
}

Ogre::MeshPtr headless_ogre::make_box_mesh(const std::string& name, float x, float y, float z)
{
    Ogre::ManualObject box(name + "_builder");
    box.begin("BaseWhite", Ogre::RenderOperation::OT_TRIANGLE_LIST);
    for (int i = 0; i < 8; ++i)
        box.position((i & 1 ? 0.5f : -0.5f) * x, (i & 2 ? 0.5f : -0.5f) * y, (i & 4 ? 0.5f : -0.5f) * z);
    const int faces[12][3] = {{0, 2, 1}, {1, 2, 3}, {4, 5, 6}, {5, 7, 6}, {0, 1, 4}, {1, 5, 4},
                              {2, 6, 3}, {3, 6, 7}, {0, 4, 2}, {2, 4, 6}, {1, 3, 5}, {3, 7, 5}};
    for (const auto& f : faces)
        box.triangle(f[0], f[1], f[2]);
    box.end();
    return box.convertToMesh(name);
}
