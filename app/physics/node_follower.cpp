#include "node_follower.h"

#include "awake_dynamics_world.h"
#include "physics_body.h"

#include <algorithm>

namespace {

pose to_pose(const btTransform& transform)
{
    const btVector3& p = transform.getOrigin();
    const btQuaternion q = transform.getRotation();
    return {Ogre::Vector3(p.x(), p.y(), p.z()), Ogre::Quaternion(q.w(), q.x(), q.y(), q.z())};
}

}

void node_follower::note_step(const awake_dynamics_world& dynamics)
{
    // A body the step before moved and this one did not has stopped: the
    // next render draws it exactly where it rests.
    for (physics_body* body : in_motion) {
        body->in_motion = false;
        note_sync(*body);
    }
    in_motion.clear();
    const std::vector<btRigidBody*>& moved = dynamics.moved_in_step();
    const btAlignedObjectArray<btTransform>& before = dynamics.moved_from();
    for (size_t i = 0; i < moved.size(); ++i) {
        auto* body = static_cast<physics_body*>(moved[i]->getUserPointer());
        body->before_step = to_pose(before[int(i)]);
        body->in_motion = true;
        in_motion.push_back(body);
        note_sync(*body);
    }
}

void node_follower::note_sync(physics_body& body)
{
    if (!body.awaiting_sync) {
        body.awaiting_sync = true;
        to_sync.push_back(&body);
    }
}

void node_follower::forget(physics_body& body)
{
    if (body.awaiting_sync)
        to_sync.erase(std::remove(to_sync.begin(), to_sync.end(), &body), to_sync.end());
    if (body.in_motion)
        in_motion.erase(std::remove(in_motion.begin(), in_motion.end(), &body), in_motion.end());
}

void node_follower::render(float alpha)
{
    for (physics_body* body : to_sync) {
        if (!body->in_motion)
            body->sync_node(alpha);
        body->awaiting_sync = false;
    }
    to_sync.clear();
    for (physics_body* body : in_motion)
        body->sync_node(alpha);
}
