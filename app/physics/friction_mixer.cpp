#include "friction_mixer.h"

#include "awake_dynamics_world.h"
#include "physics_body.h"

namespace {

// Two materials meet with the average of their values, as the game's levels
// were tuned with.
btScalar average(const btCollisionObject* a, const btCollisionObject* b)
{
    return (a->getFriction() + b->getFriction()) * 0.5f;
}

btScalar average_restitution(const btCollisionObject* a, const btCollisionObject* b)
{
    return (a->getRestitution() + b->getRestitution()) * 0.5f;
}

// A contact point whose surfaces move across each other faster than this
// slides, and meets with the dynamic friction of the two materials.
constexpr float sliding_speed = 0.1f;

}

friction_mixer::friction_mixer(awake_dynamics_world& dynamics, const btCollisionDispatcher& dispatcher)
    : dispatcher(dispatcher)
{
    gCalculateCombinedFrictionCallback = average;
    gCalculateCombinedRestitutionCallback = average_restitution;
    dynamics.set_before_solve(&friction_mixer::mix);
}

void friction_mixer::mix(btPersistentManifold& manifold)
{
    const btRigidBody* a = btRigidBody::upcast(manifold.getBody0());
    const btRigidBody* b = btRigidBody::upcast(manifold.getBody1());
    if (!a || !b || !physics_body::of(*a) || !physics_body::of(*b))
        return;
    const float sliding = (physics_body::of(*a)->dynamic_friction + physics_body::of(*b)->dynamic_friction) * 0.5f;
    const float resting = average(a, b);
    for (int i = 0; i < manifold.getNumContacts(); ++i) {
        btManifoldPoint& point = manifold.getContactPoint(i);
        const btVector3 velocity =
            a->getVelocityInLocalPoint(point.getPositionWorldOnA() - a->getCenterOfMassPosition()) -
            b->getVelocityInLocalPoint(point.getPositionWorldOnB() - b->getCenterOfMassPosition());
        const btVector3& normal = point.m_normalWorldOnB;
        const btVector3 across = velocity - normal * velocity.dot(normal);
        point.m_combinedFriction = across.length2() > sliding_speed * sliding_speed ? sliding : resting;
    }
}

void friction_mixer::roll(float step) const
{
    // Bullet's own rolling friction is capped in absolute units that mean
    // nothing at the game's masses, so a surface's rolling friction damps
    // the spin of a body resting on it relative to the surface, here.
    const int manifolds = dispatcher.getNumManifolds();
    for (int i = 0; i < manifolds; ++i) {
        const btPersistentManifold* manifold = dispatcher.getManifoldByIndexInternal(i);
        if (manifold->getNumContacts() == 0)
            continue;
        physics_body* first = physics_body::of(*manifold->getBody0());
        physics_body* second = physics_body::of(*manifold->getBody1());
        if (!first || !second)
            continue;
        first->damp_spin_against(*second, step);
        second->damp_spin_against(*first, step);
    }
}
