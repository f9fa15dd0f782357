#pragma once

// One level's physics: bodies, materials, contact pairs and trigger volumes in
// a Bullet world of its own, stepped at a fixed rate with an accumulator so
// that play does not depend on the frame rate. Contact reports (only for
// registered pairs) and trigger notifications are delivered synchronously at
// the end of simulate(); listeners may destroy bodies and triggers, and no
// notification ever reaches one that is gone.

#include "physics_types.h"

#include <map>
#include <set>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct btDbvtBroadphase;
class btDefaultCollisionConfiguration;
class btPersistentManifold;
class awake_dynamics_world;
class btRigidBody;
class btSequentialImpulseConstraintSolver;
class contact_listener;
class physics_body;
class physics_trigger;
class physics_world;
class still_pair_dispatcher;
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
    void set_contact_listener(contact_listener* listener) { contacts = listener; }
    // Stops every contact report.
    void remove_contact_listener() { contacts = nullptr; }

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

    struct contact_pair {
        unsigned long first;
        unsigned long second;
        int flags;
    };
    using serial_pair = std::pair<unsigned long, unsigned long>;
    // Registered pairs that touch, sorted and without repeats.
    using touch_set = std::vector<serial_pair>;
    struct serial_pair_hash {
        size_t operator()(const serial_pair& key) const { return key.first * 1000003u ^ key.second; }
    };
    using inside_map = std::map<unsigned long, std::set<unsigned long>>;

    // A notification to deliver once stepping is over; bodies and triggers
    // are named by serial so that one destroyed meanwhile is skipped.
    struct event {
        enum kind_type { contact, trigger_enter, trigger_inside, trigger_leave };
        kind_type kind;
        unsigned long first;
        unsigned long second;
        int flag;
    };

    std::pair<int, int> collision_filter(const physics_body& body) const;
    void add_to_world(physics_body& body);
    // After a change of flags: the body meets what its new state allows.
    void update_collision_filter(physics_body& body);
    void remove_from_world(physics_body& body);
    void apply_rolling_friction();
    // After each step: lists the bodies it moved for drawing.
    void note_moved();
    void note_sync(physics_body& body);
    void note_pushed(physics_body& body);
    static void damp_body(btRigidBody& rigid, float step);
    // Each contact point of two bodies meets with the average static
    // friction of their materials at rest and the average dynamic friction
    // while sliding.
    static void mix_friction(btPersistentManifold& manifold);
    void remove_pair(const serial_pair& key);
    // Whether the two bodies touch as of the last step.
    bool touch(const physics_body& first, const physics_body& second) const;
    void collect_touches(touch_set& touching, inside_map& inside) const;
    std::vector<event> events_since_last(const touch_set& touching, const inside_map& inside) const;
    void dispatch(const std::vector<event>& events);
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
    // The bodies a step has moved since the last render: only their nodes
    // need to follow (most of a large course rests).
    std::vector<physics_body*> to_sync;
    // The bodies the last step moved: drawn between their poses before and
    // after it at every render until the next step, even one without steps.
    std::vector<physics_body*> in_motion;
    std::map<unsigned long, std::unique_ptr<physics_trigger>> triggers;
    // Registered pairs by registration number, so reports go out in the order
    // the pairs were made; the two indexes find a pair by its bodies without
    // a walk over all of them (every block of a course is paired with the ball).
    std::map<unsigned long, contact_pair> pairs;
    std::unordered_map<serial_pair, unsigned long, serial_pair_hash> pair_numbers;
    std::map<unsigned long, std::set<unsigned long>> partners;
    unsigned long next_pair_number = 0;
    contact_listener* contacts = nullptr;
    float accumulator = 0.0f;
    // Leaves in the broadphase's tree for moving things when it was last
    // rebuilt during loading.
    int balanced_leaves = 64;
    unsigned long next_serial = 1;
    // What touched and what was inside as of the last simulate call.
    touch_set last_touching;
    inside_map last_inside;
};
