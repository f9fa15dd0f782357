#pragma once

// Keeps the scene nodes of a scene's bodies on their bodies, at render time.
// Only the nodes of bodies a step has moved need to follow, as most of a
// large course rests. A body the last step moved is drawn between its poses
// before and after that step at every render until the next step, even one
// without steps; a body that then stops is drawn once more, exactly where it
// rests. The scene must call forget as it destroys a body.

#include <vector>

class awake_dynamics_world;
class physics_body;

class node_follower {
public:
    // After each step of `dynamics`: the bodies it moved, drawn between their poses before and after it.
    void note_step(const awake_dynamics_world& dynamics);
    void forget(physics_body& body);
    // `alpha`: how far the frame's time has come into the next step, from 0 to 1.
    void render(float alpha);

private:
    void note_sync(physics_body& body);

    // The bodies a step has moved since the last render.
    std::vector<physics_body*> to_sync;
    // The bodies the last step moved.
    std::vector<physics_body*> in_motion;
};
