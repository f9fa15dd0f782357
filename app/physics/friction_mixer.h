#pragma once

// How the surfaces of two bodies meet, on top of Bullet's solver: each
// contact point takes the average of the two materials' restitution, their
// average static friction at rest and their average dynamic friction while
// sliding; a surface's rolling friction slows the spin of a body resting on
// it. Bullet keeps its combining rules in globals: building a mixer sets them
// for every world.

class awake_dynamics_world;
class btCollisionDispatcher;
class btPersistentManifold;

class friction_mixer {
public:
    // Mixes the friction of every contact in `dynamics` before the solver
    // meets it; `dispatcher`, the world's, must outlive the mixer.
    friction_mixer(awake_dynamics_world& dynamics, const btCollisionDispatcher& dispatcher);

    // After each step of `step` seconds: the spin of bodies in contact
    // decays with the rolling friction of what they rest on.
    void roll(float step) const;

private:
    static void mix(btPersistentManifold& manifold);

    const btCollisionDispatcher& dispatcher;
};
