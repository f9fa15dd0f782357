#include "physics_world.h"

#include "log.h"
#include "mesh_points.h"
#include "physics_scene.h"

#include <btBulletCollisionCommon.h>

#include <iomanip>
#include <limits>
#include <sstream>

physics_world::physics_world() = default;
physics_world::~physics_world() = default;

physics_scene* physics_world::create_scene(const std::string& name, Ogre::SceneManager* scene_manager)
{
    auto& scene = scenes[name];
    if (!scene)
        scene = std::make_unique<physics_scene>(*this, name, scene_manager);
    return scene.get();
}

void physics_world::destroy_scene(const std::string& name)
{
    scenes.erase(name);
}

void physics_world::destroy_all_scenes()
{
    scenes.clear();
}

physics_scene* physics_world::find_scene(const std::string& name) const
{
    const auto found = scenes.find(name);
    return found == scenes.end() ? nullptr : found->second.get();
}

void physics_world::simulate(float dt)
{
    for (auto& scene : scenes)
        scene.second->simulate(dt);
}

void physics_world::render(float)
{
    for (auto& scene : scenes)
        scene.second->render();
}

btCollisionShape* physics_world::convex_hull(const std::string& mesh, const Ogre::Vector3& scale)
{
    // A scaled hull is one of its own, its points scaled: the unscaled one
    // stays exactly the shape it always was.
    std::string key = mesh;
    if (scale != Ogre::Vector3::UNIT_SCALE) {
        // Every digit a float holds: two scales share a hull only when they are equal.
        std::ostringstream scaled;
        scaled << std::setprecision(std::numeric_limits<float>::max_digits10) << mesh << " scaled " << scale.x << ' '
               << scale.y << ' ' << scale.z;
        key = scaled.str();
    }
    auto& hull = hulls[key];
    if (hull)
        return hull.get();
    std::vector<Ogre::Vector3> points = mesh_points(mesh);
    for (Ogre::Vector3& p : points)
        p *= scale;
    if (points.size() < 4) {
        log_line(mesh + ": no collision shape can be made from the mesh; a cube of edge 1 is used");
        hull = std::make_unique<btBoxShape>(btVector3(0.5f, 0.5f, 0.5f));
        return hull.get();
    }
    auto convex = std::make_unique<btConvexHullShape>();
    for (const Ogre::Vector3& p : points)
        convex->addPoint(btVector3(p.x, p.y, p.z), false);
    convex->recalcLocalAabb();
    // Blocks are meshes of a few dozen vertices; merging duplicates keeps
    // the support search short for levels of thousands of blocks.
    convex->optimizeConvexHull();
    convex->setMargin(0.02f);
    hull = std::move(convex);
    return hull.get();
}
