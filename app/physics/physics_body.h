#pragma once

// One body in a physics scene: a named actor with one shape and, when the
// scene draws, an OGRE scene node carrying an entity of its mesh that follows
// the body after physics_world::render. The scene owns its bodies; a body is
// gone after physics_scene::destroy_body.
//
// A body the last step moved is drawn between its pose before that step and
// its pose now, as far as the frame's time has come into the next step, so
// that motion looks even at any frame rate. The node is for drawing only:
// the body's own pose is the one to reason with. A body placed by
// set_position or set_orientation is drawn there at once, without a glide.
//
// Forces and torques are what the game adds once per frame, already scaled by
// the frame time. They act as a push on the body before the next simulation
// steps, so the same input over the same wall time moves a body equally far
// at any frame rate.

#include "physics_types.h"

#include <memory>
#include <string>

class btCollisionObject;
class btCollisionShape;
class btRigidBody;
class physics_scene;
namespace Ogre {
class SceneNode;
class Entity;
}

class physics_body {
public:
    ~physics_body();
    physics_body(const physics_body&) = delete;
    physics_body& operator=(const physics_body&) = delete;

    const std::string& get_name() const { return name; }
    bool is_dynamic() const { return dynamic; }

    void add_force(const Ogre::Vector3& force);
    void add_torque(const Ogre::Vector3& torque);
    void set_linear_velocity(const Ogre::Vector3& velocity);
    void set_angular_velocity(const Ogre::Vector3& velocity);
    Ogre::Vector3 get_linear_velocity() const;
    Ogre::Vector3 get_angular_velocity() const;
    // Damping per second, any non-negative value.
    void set_linear_damping(float damping);
    void set_angular_damping(float damping);

    void set_position(const Ogre::Vector3& position);
    void set_orientation(const Ogre::Quaternion& orientation);
    Ogre::Vector3 get_position() const;
    Ogre::Quaternion get_orientation() const;
    pose get_pose() const;

    void raise_body_flag(int flag);
    void clear_body_flag(int flag);
    void raise_actor_flag(int flag);
    void clear_actor_flag(int flag);
    bool has_body_flag(int flag) const { return (body_flags & flag) == flag; }
    bool collides() const { return (actor_flags & AF_DISABLE_COLLISION) == 0; }

    // Stops the body for good: no motion, no contacts, no triggers.
    void disable();

    Ogre::SceneNode* get_scene_node() const { return node; }
    Ogre::Entity* get_entity() const { return entity; }

private:
    friend class friction_mixer;
    friend class node_follower;
    friend class physics_scene;
    friend class touch_reports;

    // Marks a body's Bullet object in its user index; the user pointer points to the body.
    static constexpr int user_index = 1;
    // The body whose Bullet object that is, or null (a trigger's).
    static physics_body* of(const btCollisionObject& object);

    physics_body(physics_scene& scene, unsigned long serial, std::string name, bool dynamic);
    void apply_flags();
    void apply_pending_push();
    void damp(float step);
    // Spin relative to `surface` decays with the surface's rolling friction.
    void damp_spin_against(const physics_body& surface, float step);
    // After a placement by code: drawn where it is now, from now on.
    void placed();
    // Moves the node onto the pose drawn at `alpha` of the way through the
    // last step: the pose now for a body that step did not move.
    void sync_node(float alpha);

    physics_scene& scene;
    const std::string name;
    const bool dynamic;
    const unsigned long serial;
    std::unique_ptr<btCollisionShape> own_shape;
    std::unique_ptr<btCollisionShape> offset_shape;
    std::unique_ptr<btRigidBody> rigid;
    int body_flags = 0;
    int actor_flags = 0;
    bool disabled = false;
    // Listed for the next render: a step moved the body.
    bool awaiting_sync = false;
    // Listed as moved by the last step, drawn between before_step and now.
    bool in_motion = false;
    pose before_step;
    // Listed for the next simulate: it has a pending push.
    bool push_listed = false;
    float linear_damping = 0.0f;
    float angular_damping = 0.0f;
    float rolling_friction = 0.0f;
    // Bullet keeps one friction per body, the static one; this is the
    // material's friction while sliding.
    float dynamic_friction = 0.0f;
    Ogre::Vector3 pending_force = Ogre::Vector3::ZERO;
    Ogre::Vector3 pending_torque = Ogre::Vector3::ZERO;
    Ogre::SceneNode* node = nullptr;
    Ogre::Entity* entity = nullptr;
};
