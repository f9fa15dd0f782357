#include "physics_body.h"

#include "awake_dynamics_world.h"
#include "physics_scene.h"
#include "still_pair_dispatcher.h"

#include <OgreSceneNode.h>

#include <btBulletDynamicsCommon.h>

#include <cmath>

namespace {

// What a frame's force does: the game passes force × frame time each frame,
// and the body receives that as an impulse scaled by this constant. The
// game's constants (ball mass 2000, move strength 1e7, platform force 1e6 ×
// speed, speed-block push 3e8 × 1/60) were tuned against another engine's
// units; at 0.012 the ball reaches about 35 units/s after a second of W and
// tops out near 60, a speed block kicks by about 30 units/s and a platform at
// speed 150 covers a 50-unit leg in about 5 s.
constexpr float force_scale = 0.012f;

btVector3 to_bullet(const Ogre::Vector3& v)
{
    return btVector3(v.x, v.y, v.z);
}

Ogre::Vector3 to_ogre(const btVector3& v)
{
    return Ogre::Vector3(v.x(), v.y(), v.z());
}

bool finite(const Ogre::Vector3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// Equal poses give themselves bit for bit, so that a body placed or stopped
// is drawn exactly where it is.
pose between(const pose& from, const pose& to, float t)
{
    pose p;
    p.position = from.position + (to.position - from.position) * t;
    p.orientation = from.orientation == to.orientation
                        ? to.orientation
                        : Ogre::Quaternion::nlerp(t, from.orientation, to.orientation, true);
    return p;
}

}

physics_body::physics_body(physics_scene& scene, unsigned long serial, std::string name, bool dynamic)
    : scene(scene), name(std::move(name)), dynamic(dynamic), serial(serial)
{
}

physics_body::~physics_body() = default;

physics_body* physics_body::of(const btCollisionObject& object)
{
    return object.getUserIndex() == user_index ? static_cast<physics_body*>(object.getUserPointer()) : nullptr;
}

void physics_body::add_force(const Ogre::Vector3& force)
{
    if (finite(force)) {
        pending_force += force;
        scene.note_pushed(*this);
    }
}

void physics_body::add_torque(const Ogre::Vector3& torque)
{
    if (finite(torque)) {
        pending_torque += torque;
        scene.note_pushed(*this);
    }
}

void physics_body::apply_pending_push()
{
    if (dynamic && !disabled) {
        if (pending_force != Ogre::Vector3::ZERO)
            rigid->applyCentralImpulse(to_bullet(pending_force * force_scale));
        if (pending_torque != Ogre::Vector3::ZERO)
            rigid->applyTorqueImpulse(to_bullet(pending_torque * force_scale));
    }
    pending_force = Ogre::Vector3::ZERO;
    pending_torque = Ogre::Vector3::ZERO;
}

void physics_body::damp(float step)
{
    // Bullet clamps its own damping to [0, 1]; the game's values (up to 10
    // per second) are applied here, before each step, stable for any value.
    if (!dynamic || disabled)
        return;
    if (linear_damping > 0.0f)
        rigid->setLinearVelocity(rigid->getLinearVelocity() / (1.0f + linear_damping * step));
    if (angular_damping > 0.0f)
        rigid->setAngularVelocity(rigid->getAngularVelocity() / (1.0f + angular_damping * step));
}

void physics_body::damp_spin_against(const physics_body& surface, float step)
{
    if (!dynamic || disabled || surface.rolling_friction <= 0.0f)
        return;
    const btVector3 support = surface.rigid->getAngularVelocity();
    const btVector3 relative = rigid->getAngularVelocity() - support;
    rigid->setAngularVelocity(support + relative / (1.0f + surface.rolling_friction * step));
}

void physics_body::set_linear_velocity(const Ogre::Vector3& velocity)
{
    if (dynamic && finite(velocity))
        rigid->setLinearVelocity(to_bullet(velocity) * rigid->getLinearFactor());
}

void physics_body::set_angular_velocity(const Ogre::Vector3& velocity)
{
    if (dynamic && finite(velocity))
        rigid->setAngularVelocity(to_bullet(velocity) * rigid->getAngularFactor());
}

Ogre::Vector3 physics_body::get_linear_velocity() const
{
    return to_ogre(rigid->getLinearVelocity());
}

Ogre::Vector3 physics_body::get_angular_velocity() const
{
    return to_ogre(rigid->getAngularVelocity());
}

void physics_body::set_linear_damping(float damping)
{
    linear_damping = std::isfinite(damping) && damping > 0.0f ? damping : 0.0f;
}

void physics_body::set_angular_damping(float damping)
{
    angular_damping = std::isfinite(damping) && damping > 0.0f ? damping : 0.0f;
}

void physics_body::set_position(const Ogre::Vector3& position)
{
    if (!finite(position))
        return;
    btTransform transform = rigid->getWorldTransform();
    transform.setOrigin(to_bullet(position));
    rigid->setWorldTransform(transform);
    rigid->setInterpolationWorldTransform(transform);
    scene.dynamics->updateSingleAabb(rigid.get());
    scene.dispatcher->mark_moved(*rigid);
    placed();
}

void physics_body::set_orientation(const Ogre::Quaternion& q)
{
    if (!std::isfinite(q.w) || !std::isfinite(q.x) || !std::isfinite(q.y) || !std::isfinite(q.z))
        return;
    btTransform transform = rigid->getWorldTransform();
    transform.setRotation(btQuaternion(q.x, q.y, q.z, q.w));
    rigid->setWorldTransform(transform);
    rigid->setInterpolationWorldTransform(transform);
    scene.dynamics->updateSingleAabb(rigid.get());
    scene.dispatcher->mark_moved(*rigid);
    placed();
}

Ogre::Vector3 physics_body::get_position() const
{
    return to_ogre(rigid->getWorldTransform().getOrigin());
}

Ogre::Quaternion physics_body::get_orientation() const
{
    const btQuaternion q = rigid->getWorldTransform().getRotation();
    return Ogre::Quaternion(q.w(), q.x(), q.y(), q.z());
}

pose physics_body::get_pose() const
{
    return {get_position(), get_orientation()};
}

void physics_body::raise_body_flag(int flag)
{
    body_flags |= flag;
    apply_flags();
}

void physics_body::clear_body_flag(int flag)
{
    body_flags &= ~flag;
    apply_flags();
}

void physics_body::raise_actor_flag(int flag)
{
    const bool collided = collides();
    actor_flags |= flag;
    if (collided != collides()) {
        scene.remove_from_world(*this);
        scene.add_to_world(*this);
        apply_flags();
    }
}

void physics_body::clear_actor_flag(int flag)
{
    const bool collided = collides();
    actor_flags &= ~flag;
    if (collided != collides()) {
        scene.remove_from_world(*this);
        scene.add_to_world(*this);
        apply_flags();
    }
}

void physics_body::disable()
{
    if (disabled)
        return;
    disabled = true;
    scene.remove_from_world(*this);
    scene.add_to_world(*this);
    apply_flags();
}

void physics_body::apply_flags()
{
    if (!dynamic)
        return;
    const bool frozen_all = disabled;
    rigid->setLinearFactor(frozen_all ? btVector3(0, 0, 0)
                                      : btVector3(has_body_flag(BF_FROZEN_POS_X) ? 0 : 1,
                                                  has_body_flag(BF_FROZEN_POS_Y) ? 0 : 1,
                                                  has_body_flag(BF_FROZEN_POS_Z) ? 0 : 1));
    rigid->setAngularFactor(frozen_all ? btVector3(0, 0, 0)
                                       : btVector3(has_body_flag(BF_FROZEN_ROT_X) ? 0 : 1,
                                                   has_body_flag(BF_FROZEN_ROT_Y) ? 0 : 1,
                                                   has_body_flag(BF_FROZEN_ROT_Z) ? 0 : 1));
    if (has_body_flag(BF_DISABLE_GRAVITY) || frozen_all) {
        rigid->setFlags(rigid->getFlags() | BT_DISABLE_WORLD_GRAVITY);
        rigid->setGravity(btVector3(0, 0, 0));
    } else {
        rigid->setFlags(rigid->getFlags() & ~BT_DISABLE_WORLD_GRAVITY);
        rigid->setGravity(scene.dynamics->getGravity());
    }
    // A frozen axis keeps no velocity along it.
    rigid->setLinearVelocity(rigid->getLinearVelocity() * rigid->getLinearFactor());
    rigid->setAngularVelocity(rigid->getAngularVelocity() * rigid->getAngularFactor());
    scene.update_collision_filter(*this);
}

void physics_body::placed()
{
    before_step = get_pose();
    sync_node(1.0f);
}

void physics_body::sync_node(float alpha)
{
    if (!node)
        return;
    // A node that is set is redrawn from scratch; most bodies rest.
    const pose drawn = in_motion ? between(before_step, get_pose(), alpha) : get_pose();
    if (node->getPosition() != drawn.position)
        node->setPosition(drawn.position);
    if (node->getOrientation() != drawn.orientation)
        node->setOrientation(drawn.orientation);
}
