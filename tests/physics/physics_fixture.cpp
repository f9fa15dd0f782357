#include "physics_fixture.h"

#include "objects/obj_player.h"

#include <cmath>

physics_fixture::physics_fixture()
    : scene(world.create_scene("test_scene", nullptr))
{
    scene->set_gravity(Ogre::Vector3(0, -100, 0));
}

void physics_fixture::build_floor(int blocks, float x)
{
    for (int i = 0; i < blocks; ++i)
        make_static_cube("floor" + std::to_string(i), Ogre::Vector3(x, 0, -10.0f * i), Ogre::Vector3(10, 2, 10));
}

physics_body* physics_fixture::make_static_cube(const std::string& name, const Ogre::Vector3& at,
                                                const Ogre::Vector3& size)
{
    actor_params params;
    params.is_static = true;
    return scene->create_body(name, "block_10_10.mesh", shape_desc::make_cube(size.x, size.y, size.z), {at}, params);
}

physics_body* physics_fixture::make_ball(const Ogre::Vector3& at)
{
    return scene->create_body("player", "player.mesh", obj_player::ball_shape(*scene), {at},
                              obj_player::ball_params(false));
}

void physics_fixture::frame(float dt, const std::function<void(float)>& push)
{
    if (push)
        push(dt);
    world.simulate(dt);
    world.render(dt);
}

void physics_fixture::run(float seconds, float fps, const std::function<void(float)>& push)
{
    const int frames = int(std::lround(seconds * fps));
    for (int i = 0; i < frames; ++i)
        frame(1.0f / fps, push);
}

void physics_fixture::hold_w(physics_body* ball, float dt)
{
    const float strength = 10000000.0f * dt;
    ball->add_force(Ogre::Vector3(0, 0, -1) * strength);
    ball->add_torque(Ogre::Vector3(-1, 0, 0) * strength);
}
