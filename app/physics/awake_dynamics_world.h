#pragma once

// Bullet's dynamics world, tuned for courses of thousands of static blocks
// and hundreds of dynamic bodies that never sleep, most of them at rest
// (blocks that wait to fall or to be pushed). Bullet would visit every
// collision object in each step (bounding boxes, simulation islands) and
// integrate, box and solve every dynamic body; here a step only integrates
// and boxes the bodies that have a velocity, and solves those that are in a
// contact or pushed. A body at rest keeps its pose bit for bit.
// Static bodies that are moved must update their bounding box themselves
// (updateSingleAabb). Each step tells the dispatcher which bodies the step
// has moved, so that pairs at rest are not tested again.
// A body that nothing can move in a step (at rest, without force, torque or
// gravity, not moved since the last step) sits the step out: no pass of the
// step looks at it, unless a contact reaches it, which puts it back before
// the solver. On large courses most bodies wait like that, and visiting each
// of them in every pass cost more than the moving ones.

#include <btBulletDynamicsCommon.h>

#include <vector>

class still_pair_dispatcher;

class awake_dynamics_world : public btDiscreteDynamicsWorld {
public:
    awake_dynamics_world(still_pair_dispatcher* dispatcher, btBroadphaseInterface* broadphase,
                         btConstraintSolver* solver, btCollisionConfiguration* configuration);

    int stepSimulation(btScalar step, int max_sub_steps, btScalar fixed_step) override;
    // Called for every body that takes part in a step, before the step: a
    // body that waits has nothing to damp.
    using body_hook = void (*)(btRigidBody& body, btScalar step);
    void set_before_step(body_hook hook) { before_step = hook; }
    // Called for every touching manifold just before the solver, which
    // then uses each contact point as the hook leaves it.
    using manifold_hook = void (*)(btPersistentManifold& manifold);
    void set_before_solve(manifold_hook hook) { before_solve = hook; }
    void removeRigidBody(btRigidBody* body) override;
    // The bodies whose pose the last stepSimulation changed, and their poses
    // before it, in the same order.
    const std::vector<btRigidBody*>& moved_in_step() const { return moved; }
    const btAlignedObjectArray<btTransform>& moved_from() const { return moved_before; }

    // No body has a motion state: scene nodes follow in physics_scene::render.
    void synchronizeMotionStates() override {}

protected:
    void predictUnconstraintMotion(btScalar step) override;
    void createPredictiveContacts(btScalar step) override;
    void updateAabbs() override;
    void calculateSimulationIslands() override;
    void saveKinematicState(btScalar step) override;
    void solveConstraints(btContactSolverInfo& solver_info) override;
    void integrateTransforms(btScalar step) override;

private:
    // The bodies with a velocity (and, if asked, a place in the broadphase).
    void select_moving(bool colliding_only);

    bool can_wait(const btRigidBody* body) const;
    // Puts the waiting bodies among the given ones back into the step.
    void bring_back(const std::vector<const btCollisionObject*>& objects);

    still_pair_dispatcher& pairs;
    body_hook before_step = nullptr;
    manifold_hook before_solve = nullptr;
    // Every non-static body, while the step's own list holds only those
    // that take part.
    btAlignedObjectArray<btRigidBody*> all_bodies;
    std::vector<btRigidBody*> selected;
    std::vector<btCollisionObject*> solved;
    std::vector<btPersistentManifold*> touching;
    // The objects of the touching manifolds, sorted.
    std::vector<const btCollisionObject*> in_contact;
    // The bodies that may move in a step, with their poses before it.
    std::vector<btRigidBody*> watched;
    btAlignedObjectArray<btTransform> poses_before;
    std::vector<btRigidBody*> moved;
    btAlignedObjectArray<btTransform> moved_before;
};
