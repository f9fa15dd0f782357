#pragma once

// The physics world: every level creates its own scene in it. This is the
// smallest stand-in that lets the application run before the physics layer
// exists; it keeps no scenes and steps nothing.

class physics_world {
public:
    void destroy_all_scenes();
    void simulate(float dt);
    void render(float dt);
};
