#pragma once

// Bullet's dynamics world, tuned for courses of thousands of static blocks
// and a few dozen moving bodies that never sleep. Bullet would visit every
// collision object in each step (bounding boxes, simulation islands); here a
// step only visits the moving bodies and the contacts they have, so static
// scenery that nothing touches costs only its place in the broadphase tree.
// Static bodies that are moved must update their bounding box themselves
// (updateSingleAabb).

#include <btBulletDynamicsCommon.h>

#include <vector>

class awake_dynamics_world : public btDiscreteDynamicsWorld {
public:
    using btDiscreteDynamicsWorld::btDiscreteDynamicsWorld;

protected:
    void updateAabbs() override;
    void calculateSimulationIslands() override;
    void saveKinematicState(btScalar step) override;
    void solveConstraints(btContactSolverInfo& solver_info) override;

private:
    std::vector<btCollisionObject*> moving;
    std::vector<btPersistentManifold*> touching;
};
