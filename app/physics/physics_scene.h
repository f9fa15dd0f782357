#pragma once

// One level's physics: bodies, materials, contact pairs and trigger volumes in
// a Bullet world of its own, stepped at a fixed rate with an accumulator so
// that play does not depend on the frame rate. Contact reports (only for
// registered pairs) and trigger notifications are delivered synchronously at
// the end of simulate(); listeners may destroy bodies and triggers, and no
// notification ever reaches one that is gone.

#include "physics_types.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct btDbvtBroadphase;
class btDefaultCollisionConfiguration;
class awake_dynamics_world;
class btRigidBody;
class btSequentialImpulseConstraintSolver;
class contact_listener;
class friction_mixer;
class node_follower;
class physics_body;
class physics_trigger;
class physics_world;
class still_pair_dispatcher;
class touch_reports;
class trigger_listener;
namespace Ogre {
class SceneManager;
}

class physics_scene {
public:
    // The fixed simulation step, in seconds.
    static constexpr float step = 1.0f / 120.0f;

    physics_scene(physics_world& world, std::string name, Ogre::SceneManager* scene_manager);
    ~physics_scene();
    physics_scene(const physics_scene&) = delete;
    physics_scene& operator=(const physics_scene&) = delete;

    const std::string& get_name() const { return name; }

    void set_gravity(const Ogre::Vector3& gravity);
    Ogre::Vector3 get_gravity() const { return gravity; }

    // Creating a material under a taken name returns the existing one.
    physics_material* create_material(const std::string& name);

    // A body named `name` (the object's id) with an entity of `mesh` when the
    // scene draws. Returns null only for a shape that makes no sense.
    physics_body* create_body(const std::string& name, const std::string& mesh, const shape_desc& shape,
                              const pose& at, const actor_params& params);
    // Destroys the first body of that name, if any.
    void destroy_body(const std::string& name);
    void destroy_body(physics_body* body);
    void destroy_actors();
    physics_body* find_body(const std::string& name) const;
    size_t body_count() const { return bodies.size(); }

    void create_contact_pair(physics_body* first, physics_body* second, int flags);
    void remove_contact_pair(physics_body* first, physics_body* second);
    void set_contact_listener(contact_listener* listener);
    // Stops every contact report.
    void remove_contact_listener();

    physics_trigger* create_trigger(const Ogre::Vector3& size, const pose& at, trigger_listener* listener);
    void destroy_trigger(physics_trigger* trigger);

    // Sorts the broadphase once the level is built, so that the first frames
    // of play do not do it. Until then new bodies find their pairs only here;
    // the first simulate() settles a scene that nobody settled.
    void settle();

    void simulate(float dt);
    void render();

private:
    friend class physics_body;

    std::pair<int, int> collision_filter(const physics_body& body) const;
    void add_to_world(physics_body& body);
    // After a change of flags: the body meets what its new state allows.
    void update_collision_filter(physics_body& body);
    void remove_from_world(physics_body& body);
    void note_pushed(physics_body& body);
    static void damp_body(btRigidBody& rigid, float step);
    physics_body* body_by_serial(unsigned long serial) const;
    const physics_material& material_of(const std::string& name) const;

    physics_world& world;
    const std::string name;
    Ogre::SceneManager* const scene_manager;
    std::unique_ptr<btDefaultCollisionConfiguration> configuration;
    std::unique_ptr<still_pair_dispatcher> dispatcher;
    std::unique_ptr<btDbvtBroadphase> broadphase;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::unique_ptr<awake_dynamics_world> dynamics;
    Ogre::Vector3 gravity = Ogre::Vector3::ZERO;
    std::map<std::string, physics_material> materials;
    // Keyed by serial, i.e. creation order, which keeps stepping deterministic.
    std::map<unsigned long, std::unique_ptr<physics_body>> bodies;
    // The bodies given a push since the last simulate.
    std::vector<physics_body*> pushed;
    std::map<unsigned long, std::unique_ptr<physics_trigger>> triggers;
    std::unique_ptr<friction_mixer> friction;
    std::unique_ptr<touch_reports> reports;
    std::unique_ptr<node_follower> nodes;
    float accumulator = 0.0f;
    // Leaves in the broadphase's tree for moving things when it was last
    // rebuilt during loading.
    int balanced_leaves = 64;
    unsigned long next_serial = 1;
};
