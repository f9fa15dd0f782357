#pragma once

// A physics world with one scene and no visuals, plus the bodies the game
// builds most: a floor of flush 10 × 2 × 10 blocks and the player's ball.

#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "app/physics/physics_world.h"

#include <gtest/gtest.h>

#include <functional>

class physics_fixture : public ::testing::Test {
public:
    physics_fixture();

    // Blocks from x = 0 along -Z, tops at y = 1.
    void build_floor(int blocks, float x = 0.0f);
    physics_body* make_ball(const Ogre::Vector3& at);
    physics_body* make_static_cube(const std::string& name, const Ogre::Vector3& at, const Ogre::Vector3& size);

    // One frame as the game plays it: the frame's push, then simulate/render.
    void frame(float dt, const std::function<void(float)>& push = nullptr);
    void run(float seconds, float fps, const std::function<void(float)>& push = nullptr);

    // The ball's W: force along -Z and torque about -X, scaled by the frame time.
    static void hold_w(physics_body* ball, float dt);

    physics_world world;
    physics_scene* scene;
};
