#include "awake_dynamics_world.h"

void awake_dynamics_world::updateAabbs()
{
    for (int i = 0; i < m_nonStaticRigidBodies.size(); ++i)
        updateSingleAabb(m_nonStaticRigidBodies[i]);
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
    moving.clear();
    for (int i = 0; i < m_nonStaticRigidBodies.size(); ++i)
        moving.push_back(m_nonStaticRigidBodies[i]);
    touching.clear();
    const int manifolds = m_dispatcher1->getNumManifolds();
    for (int i = 0; i < manifolds; ++i) {
        btPersistentManifold* manifold = m_dispatcher1->getManifoldByIndexInternal(i);
        if (manifold->getNumContacts() > 0 && m_dispatcher1->needsResponse(manifold->getBody0(), manifold->getBody1()))
            touching.push_back(manifold);
    }
    m_constraintSolver->prepareSolve(int(moving.size()), int(touching.size()));
    if (!moving.empty())
        m_constraintSolver->solveGroup(moving.data(), int(moving.size()), touching.data(), int(touching.size()),
                                       nullptr, 0, solver_info, m_debugDrawer, m_dispatcher1);
    m_constraintSolver->allSolved(solver_info, m_debugDrawer);
}
