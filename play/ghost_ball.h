#pragma once

// The run raced as a translucent ball (cool for the player's best, warm for
// the gold run): where that run's ball was at the same play time, read from
// its recorded path so it moves right at any frame rate. A scene node
// without a body: it touches and triggers nothing.

#include "records/replay.h"

namespace Ogre {
class Entity;
class SceneManager;
class SceneNode;
}

class ghost_ball {
public:
    ghost_ball(Ogre::SceneManager* scene_manager, replay run, bool gold = false);
    ~ghost_ball();
    ghost_ball(const ghost_ball&) = delete;
    ghost_ball& operator=(const ghost_ball&) = delete;

    void update(double play_time);

    const replay& get_run() const { return run; }
    Ogre::SceneNode* get_scene_node() const { return node; }

private:
    Ogre::SceneManager* scene_manager;
    replay run;
    Ogre::Entity* entity = nullptr;
    Ogre::SceneNode* node = nullptr;
};
