#include "ghost_ball.h"

#include <OgreEntity.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>

ghost_ball::ghost_ball(Ogre::SceneManager* scene_manager, replay best, bool gold)
    : scene_manager(scene_manager), run(std::move(best))
{
    entity = scene_manager->createEntity("player.mesh");
    entity->setMaterialName(gold ? "ghost_gold" : "ghost");
    // A shadow would make it look solid, and it is not there.
    entity->setCastShadows(false);
    node = scene_manager->getRootSceneNode()->createChildSceneNode();
    node->attachObject(entity);
    update(0.0);
}

ghost_ball::~ghost_ball()
{
    node->detachAllObjects();
    scene_manager->destroySceneNode(node);
    scene_manager->destroyEntity(entity);
}

void ghost_ball::update(double play_time)
{
    float at[3];
    if (run.position_at(play_time, at))
        node->setPosition(at[0], at[1], at[2]);
}
