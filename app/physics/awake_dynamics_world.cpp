#include "awake_dynamics_world.h"

#include "still_pair_dispatcher.h"

#include <algorithm>
#include <cstring>

namespace {

// Bit for bit, so that a pose counts as kept only when a new contact test
// could not tell the difference.
bool same_pose(const btTransform& a, const btTransform& b)
{
    const auto same = [](const btVector3& u, const btVector3& v) {
        return std::memcmp(u.m_floats, v.m_floats, 3 * sizeof(btScalar)) == 0;
    };
    return same(a.getOrigin(), b.getOrigin()) && same(a.getBasis()[0], b.getBasis()[0]) &&
           same(a.getBasis()[1], b.getBasis()[1]) && same(a.getBasis()[2], b.getBasis()[2]);
}

bool resting(const btRigidBody* body)
{
    return body->getLinearVelocity().isZero() && body->getAngularVelocity().isZero();
}

bool collides(const btCollisionObject* object)
{
    return object->getBroadphaseHandle()->m_collisionFilterMask != 0;
}

// Marks a body that sits out the current step (in its third user index).
constexpr int waiting = 1;

}

awake_dynamics_world::awake_dynamics_world(still_pair_dispatcher* dispatcher, btBroadphaseInterface* broadphase,
                                           btConstraintSolver* solver, btCollisionConfiguration* configuration)
    : btDiscreteDynamicsWorld(dispatcher, broadphase, solver, configuration), pairs(*dispatcher)
{
}

int awake_dynamics_world::stepSimulation(btScalar step, int max_sub_steps, btScalar fixed_step)
{
    moved.clear();
    moved_before.resizeNoInitialize(0);
    all_bodies = m_nonStaticRigidBodies;
    m_nonStaticRigidBodies.resize(0);
    for (int i = 0; i < all_bodies.size(); ++i) {
        btRigidBody* body = all_bodies[i];
        const bool wait = can_wait(body);
        body->setUserIndex3(wait ? waiting : 0);
        if (!wait)
            m_nonStaticRigidBodies.push_back(body);
    }
    if (before_step)
        for (int i = 0; i < m_nonStaticRigidBodies.size(); ++i)
            before_step(*m_nonStaticRigidBodies[i], step);
    const int steps = btDiscreteDynamicsWorld::stepSimulation(step, max_sub_steps, fixed_step);
    m_nonStaticRigidBodies = all_bodies;
    return steps;
}

void awake_dynamics_world::removeRigidBody(btRigidBody* body)
{
    // Bullet looks for every body among the non-static ones, which made
    // unloading a course quadratic in its size.
    if (body->isStaticObject())
        btCollisionWorld::removeCollisionObject(body);
    else
        btDiscreteDynamicsWorld::removeRigidBody(body);
}

bool awake_dynamics_world::can_wait(const btRigidBody* body) const
{
    return resting(body) && body->getTotalForce().isZero() && body->getTotalTorque().isZero() &&
           body->getGravity().isZero() && !pairs.moved_since_dispatch(*body);
}

void awake_dynamics_world::bring_back(const std::vector<const btCollisionObject*>& objects)
{
    for (const btCollisionObject* object : objects) {
        if (object->getUserIndex3() != waiting)
            continue;
        btRigidBody* body = const_cast<btRigidBody*>(btRigidBody::upcast(object));
        body->setUserIndex3(0);
        m_nonStaticRigidBodies.push_back(body);
    }
}

void awake_dynamics_world::predictUnconstraintMotion(btScalar step)
{
    // The predicted pose widens a body's bounding box along its motion. A
    // body at rest stays where it is, and one that collides with nothing
    // needs no box. Bullet's own damping is never set (the bodies damp
    // themselves), so there is none to apply here.
    for (int i = 0; i < m_nonStaticRigidBodies.size(); ++i) {
        btRigidBody* body = m_nonStaticRigidBodies[i];
        if (resting(body) || !collides(body))
            body->setInterpolationWorldTransform(body->getWorldTransform());
        else
            body->predictIntegratedTransform(step, body->getInterpolationWorldTransform());
    }
}

void awake_dynamics_world::createPredictiveContacts(btScalar step)
{
    releasePredictiveContacts();
    select_moving(true);
    if (!selected.empty())
        createPredictiveContactsInternal(selected.data(), int(selected.size()), step);
}

void awake_dynamics_world::updateAabbs()
{
    // A body that collides with nothing (a coin) needs no place in the
    // broadphase, and one that has not moved since the last step keeps its
    // box: keeping a spinning coin up to date cost a tree walk a step.
    for (int i = 0; i < m_nonStaticRigidBodies.size(); ++i) {
        btRigidBody* body = m_nonStaticRigidBodies[i];
        if (collides(body) && (!resting(body) || pairs.moved_since_dispatch(*body)))
            updateSingleAabb(body);
    }
}

void awake_dynamics_world::calculateSimulationIslands()
{
    // Moving bodies never sleep, so there is no activation state to work out.
}

void awake_dynamics_world::saveKinematicState(btScalar)
{
    // The game makes no kinematic bodies; Bullet would look at every object.
}

void awake_dynamics_world::solveConstraints(btContactSolverInfo& solver_info)
{
    touching.clear();
    in_contact.clear();
    const int manifolds = m_dispatcher1->getNumManifolds();
    for (int i = 0; i < manifolds; ++i) {
        btPersistentManifold* manifold = m_dispatcher1->getManifoldByIndexInternal(i);
        if (manifold->getNumContacts() == 0 || !m_dispatcher1->needsResponse(manifold->getBody0(), manifold->getBody1()))
            continue;
        touching.push_back(manifold);
        in_contact.push_back(manifold->getBody0());
        in_contact.push_back(manifold->getBody1());
    }
    if (before_solve)
        for (btPersistentManifold* manifold : touching)
            before_solve(*manifold);
    std::sort(in_contact.begin(), in_contact.end());
    bring_back(in_contact);
    // The solver gets the bodies it can change: those in a contact, those
    // pushed by a force (gravity too) and spinning ones, whose spin it
    // corrects for their shape; but the spin of one that touches nothing (a
    // coin) is only for show. Every other body it would leave as it is.
    // It moves bodies too (it pushes them out of each other), so the poses
    // of all that may move in this step are taken before it.
    solved.clear();
    watched.clear();
    poses_before.resizeNoInitialize(0);
    for (int i = 0; i < m_nonStaticRigidBodies.size(); ++i) {
        btRigidBody* body = m_nonStaticRigidBodies[i];
        const bool solve = !body->getTotalForce().isZero() || !body->getTotalTorque().isZero() ||
                           (collides(body) && !body->getAngularVelocity().isZero()) ||
                           std::binary_search(in_contact.begin(), in_contact.end(), body);
        if (solve)
            solved.push_back(body);
        if (solve || !resting(body)) {
            watched.push_back(body);
            poses_before.push_back(body->getWorldTransform());
        }
    }
    m_constraintSolver->prepareSolve(int(solved.size()), int(touching.size()));
    if (!solved.empty())
        m_constraintSolver->solveGroup(solved.data(), int(solved.size()), touching.data(), int(touching.size()),
                                       nullptr, 0, solver_info, m_debugDrawer, m_dispatcher1);
    m_constraintSolver->allSolved(solver_info, m_debugDrawer);
}

void awake_dynamics_world::integrateTransforms(btScalar step)
{
    select_moving(false);
    if (!selected.empty())
        integrateTransformsInternal(selected.data(), int(selected.size()), step);
    for (size_t i = 0; i < watched.size(); ++i)
        if (!same_pose(poses_before[int(i)], watched[i]->getWorldTransform())) {
            pairs.mark_moved(*watched[i]);
            moved.push_back(watched[i]);
            moved_before.push_back(poses_before[int(i)]);
        }
}

void awake_dynamics_world::select_moving(bool colliding_only)
{
    selected.clear();
    for (int i = 0; i < m_nonStaticRigidBodies.size(); ++i) {
        btRigidBody* body = m_nonStaticRigidBodies[i];
        if (!resting(body) && (!colliding_only || collides(body)))
            selected.push_back(body);
    }
}
