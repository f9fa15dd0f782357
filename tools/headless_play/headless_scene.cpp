#include "headless_scene.h"

#include <OgreManualObject.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>

headless_scene::headless_scene()
    : scene_manager(Ogre::Root::getSingleton().createSceneManager())
{
}

headless_scene::~headless_scene()
{
    Ogre::Root::getSingleton().destroySceneManager(scene_manager);
}

Ogre::MeshPtr headless_scene::make_box_mesh(const std::string& name, float x, float y, float z)
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
