// What large levels cost: a generated course of N objects (blocks of every
// kind, moving platforms, doors and switches, teleporters, coins, info boxes,
// checkpoints, a few lights) is written as a level file and loaded headless
// on a real OGRE scene manager. For each size it prints the load time (the
// level's constructor), the first play frame, the mean and 99th-percentile
// cost of one play frame as the in-game state runs it (level update, camera,
// physics simulate and render sync; no drawing) while the ball rolls, in
// wall time and in this thread's processor time, the resident memory per
// object and the unload time (the level's destructor).
// Each size runs in its own process so the memory figure is its own. The OGRE
// log goes to a file, as in the game, one line per object created.
//
// Usage: level_bench [frames [objects]]

#include "app/game_camera.h"
#include "headless_play/level_world.h"
#include "objects/obj_player.h"
#include "support/bench_course.h"
#include "support/resident_memory.h"

#include <OgreLogManager.h>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;

double milliseconds_since(clock_type::time_point start)
{
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

// The time this thread has run, so that the figures hold on a machine whose
// cores are shared: wall time there also counts the time others ran.
double cpu_milliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

double mean(const std::vector<double>& values)
{
    double sum = 0.0;
    for (double v : values)
        sum += v;
    return sum / double(values.size());
}

double p99(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[size_t(double(values.size()) * 0.99)];
}

void measure(int object_count, int frames)
{
    // The game's log is a file, written line by line; so is this one.
    Ogre::LogManager log_manager;
    const auto log_file =
        std::filesystem::temp_directory_path() / ("quillax_level_bench_" + std::to_string(::getpid()) + ".log");
    log_manager.createLog(log_file.string(), true, false, false);
    {
        level_world setup("bench");
        setup.write_level("bench.map", bench_course(object_count));

        const double resident_before = resident_megabytes() * 1024.0;
        const auto load_start = clock_type::now();
        auto lvl = std::make_unique<level>("bench.map", &setup.context, nullptr);
        const double load_ms = milliseconds_since(load_start);
        const double resident_after = resident_megabytes() * 1024.0;
        auto camera = std::make_unique<game_camera>("bench_cam", lvl.get(), lvl->get_player()->get_scene_node());

        const float dt = 1.0f / 60.0f;
        setup.context.frame_time = dt;
        const auto hold_w = [](key_code key) { return key == KC_W; };
        std::vector<double> costs, cpu_costs;
        double first_frame_ms = 0.0;
        const int warm_up = 120;
        for (int f = -warm_up; f < frames; ++f) {
            const auto start = clock_type::now();
            const double cpu_start = cpu_milliseconds();
            if (!lvl->is_completed()) {
                lvl->update();
                camera->update();
                setup.world.simulate(dt);
                setup.world.render(dt);
            }
            const double cost = milliseconds_since(start);
            const double cpu_cost = cpu_milliseconds() - cpu_start;
            if (f == -warm_up)
                first_frame_ms = cost;
            if (f >= 0) {
                costs.push_back(cost);
                cpu_costs.push_back(cpu_cost);
            }
            setup.input.capture(dt);
            setup.input.run_key_bindings(hold_w);
        }
        camera.reset();
        const auto unload_start = clock_type::now();
        lvl.reset();
        const double unload_ms = milliseconds_since(unload_start);

        std::printf("%8d %10.1f %10.2f %10.3f %10.3f %10.3f %10.3f %10.2f %10.1f\n", object_count, load_ms,
                    first_frame_ms, mean(costs), p99(costs), mean(cpu_costs), p99(cpu_costs),
                    (resident_after - resident_before) / object_count, unload_ms);
        std::fflush(stdout);
    }
    log_manager.destroyLog(log_file.string());
    std::filesystem::remove(log_file);
}

}

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 600;
    if (argc > 2) {
        measure(std::max(2, std::atoi(argv[2])), frames);
        return 0;
    }
    std::printf("%8s %10s %10s %10s %10s %10s %10s %10s %10s\n", "objects", "load ms", "first ms", "mean ms",
                "p99 ms", "cpu mean", "cpu p99", "KiB/obj", "unload ms");
    std::fflush(stdout);
    for (int objects : {100, 1000, 10000, 50000}) {
        const pid_t child = fork();
        if (child == 0) {
            measure(objects, frames);
            std::_Exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
    }
    return 0;
}
