#pragma once

// The physics world: every level creates its own scene in it by name. Each
// play frame the game calls simulate(dt) and then render(dt), which moves the
// scene nodes onto their bodies: a moving body is drawn between its poses
// before and after the last step, as far as the frame's time has come into
// the next one. Convex hulls built from meshes are cached here, one per mesh
// name and scale, and shared by every scene.

#include <OgreVector.h>

#include <map>
#include <memory>
#include <string>

class btCollisionShape;
class physics_scene;
namespace Ogre {
class SceneManager;
}

class physics_world {
public:
    physics_world();
    ~physics_world();

    // A scene drawing into scene_manager; null for a scene without visuals.
    // A second scene under a taken name replaces nothing and returns the first.
    physics_scene* create_scene(const std::string& name, Ogre::SceneManager* scene_manager);
    void destroy_scene(const std::string& name);
    void destroy_all_scenes();
    physics_scene* find_scene(const std::string& name) const;

    void simulate(float dt);
    void render(float dt);

    // The hull of a mesh's vertices, built on first use. A mesh that cannot be
    // read gives a unit cube and a log line, so a level still loads.
    btCollisionShape* convex_hull(const std::string& mesh, const Ogre::Vector3& scale = Ogre::Vector3::UNIT_SCALE);

private:
    std::map<std::string, std::unique_ptr<physics_scene>> scenes;
    std::map<std::string, std::unique_ptr<btCollisionShape>> hulls;
};
