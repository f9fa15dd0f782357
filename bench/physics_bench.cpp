// How much a frame of physics costs: a floor of N static convex blocks (the
// default block mesh) plus M dynamic bodies (rolling balls, moving platforms,
// spinning coins with trigger volumes). For each size it prints the build
// time, the mean and 99th-percentile cost of one simulate(1/60) + render,
// and the peak resident memory, after a short warm-up. Each size runs in its own process so the
// memory figure is its own.
//
// Usage: physics_bench [frames [static dynamic]]

#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "app/physics/physics_world.h"
#include "app/physics/trigger_listener.h"
#include "headless_play/headless_scene.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;

double milliseconds_since(clock_type::time_point start)
{
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

struct quiet_coin : trigger_listener {};

void measure(int statics, int dynamics, int frames)
{
    headless_scene ogre;
    ogre.make_box_mesh("block_10_10.mesh", 10, 2, 10);
    ogre.make_box_mesh("player.mesh", 8, 8, 8);
    physics_world world;
    quiet_coin coin_listener;

    const auto build_start = clock_type::now();
    physics_scene* scene = world.create_scene("bench", ogre.scene_manager);
    scene->set_gravity(Ogre::Vector3(0, -100, 0));
    const int side = int(std::ceil(std::sqrt(double(statics))));
    actor_params fixed;
    for (int i = 0; i < statics; ++i)
        scene->create_body("block" + std::to_string(i), "block_10_10.mesh", shape_desc::make_convex("block_10_10.mesh"),
                           {Ogre::Vector3(10.0f * (i % side), 0, -10.0f * (i / side))}, fixed);

    std::vector<physics_body*> balls, platforms;
    for (int i = 0; i < dynamics; ++i) {
        const Ogre::Vector3 at(10.0f * ((i * 7) % side), 5, -10.0f * ((i * 13) % side));
        actor_params params;
        switch (i % 3) {
        case 0:
            params.mass = 2000.0f;
            params.linear_damping = 0.5f;
            params.angular_damping = 1.8f;
            balls.push_back(scene->create_body("ball" + std::to_string(i), "player.mesh", shape_desc::make_sphere(4.0f),
                                               {at}, params));
            break;
        case 1: {
            params.mass = 1000000.0f;
            physics_body* p = scene->create_body("platform" + std::to_string(i), "block_10_10.mesh",
                                                 shape_desc::make_cube(20, 2, 20), {at + Ogre::Vector3(0, 20, 0)},
                                                 params);
            p->raise_body_flag(BF_DISABLE_GRAVITY | BF_FROZEN_ROT | BF_FROZEN_POS_Y);
            p->set_linear_damping(10.0f);
            platforms.push_back(p);
            break;
        }
        default: {
            params.mass = 100.0f;
            physics_body* c = scene->create_body("coin" + std::to_string(i), "player.mesh", shape_desc::make_cube(5, 5, 2),
                                                 {at + Ogre::Vector3(0, 5, 0)}, params);
            c->raise_actor_flag(AF_DISABLE_COLLISION);
            c->raise_body_flag(BF_DISABLE_GRAVITY);
            scene->create_trigger(Ogre::Vector3(5, 5, 2), c->get_pose(), &coin_listener);
            break;
        }
        }
    }
    const double build_ms = milliseconds_since(build_start);

    std::vector<double> costs;
    const float dt = 1.0f / 60.0f;
    // The broadphase sorts new static proxies into its fixed tree during the
    // first frames; the figures are for play after that.
    const int warm_up = 120;
    for (int f = -warm_up; f < frames; ++f) {
        const float direction = (f / 120) % 2 ? 1.0f : -1.0f;
        for (physics_body* ball : balls) {
            ball->add_force(Ogre::Vector3(0, 0, direction) * 1e7f * dt);
            ball->add_torque(Ogre::Vector3(direction, 0, 0) * 1e7f * dt);
        }
        for (physics_body* p : platforms)
            p->add_force(Ogre::Vector3(direction * 50, 0, 0) * 1e6f * dt * 150.0f);
        const auto start = clock_type::now();
        world.simulate(dt);
        world.render(dt);
        if (f >= 0)
            costs.push_back(milliseconds_since(start));
    }
    std::sort(costs.begin(), costs.end());
    double sum = 0;
    for (double c : costs)
        sum += c;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%8d %8d %10.1f %10.3f %10.3f %10.1f\n", statics, dynamics, build_ms, sum / costs.size(),
                costs[size_t(costs.size() * 0.99)], usage.ru_maxrss / 1024.0);
    std::fflush(stdout);
}

}

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 600;
    if (argc > 3) {
        measure(std::atoi(argv[2]), std::atoi(argv[3]), frames);
        return 0;
    }
    std::printf("%8s %8s %10s %10s %10s %10s\n", "static", "dynamic", "build ms", "mean ms", "p99 ms", "peak MiB");
    std::fflush(stdout);
    for (int statics : {1000, 5000, 20000})
        for (int dynamics : {10, 100, 500}) {
            const pid_t child = fork();
            if (child == 0) {
                measure(statics, dynamics, frames);
                std::_Exit(0);
            }
            int status = 0;
            waitpid(child, &status, 0);
        }
    return 0;
}
