// What mapscout's rebuild costs an author: the generated course of N objects
// (10,000 unless given) is loaded as mapscout loads it, then built again a
// hundred times as a saved file or R builds it. It prints the level's own
// load time, the checks on the file, the mean and longest frame that held a
// rebuild (checks, the old level's release, the new level), and how resident
// memory moved from the tenth rebuild to the last.
//
// Usage: scout_reload_bench [objects]

#include "app/application.h"
#include "headless_play/level_world.h"
#include "mapscout/level_problems.h"
#include "states/gs_game.h"
#include "support/bench_course.h"
#include "support/resident_memory.h"

#include <OgreLogManager.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

using clock_type = std::chrono::steady_clock;

double milliseconds_since(clock_type::time_point start)
{
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

}

int main(int argc, char** argv)
{
    const int objects = argc > 1 ? std::max(2, std::atoi(argv[1])) : 10000;
    // The game's log is a file; so is this one.
    Ogre::LogManager log_manager;
    const auto log_file =
        std::filesystem::temp_directory_path() / ("quillax_scout_bench_" + std::to_string(::getpid()) + ".log");
    log_manager.createLog(log_file.string(), true, false, false);
    {
        level_world setup("scout_bench");
        setup.context.scout = true;
        setup.write_level("bench.map", bench_course(objects));
        application app;
        gs_game game(&setup.context);
        const auto frame = [&](bool r_down) {
            setup.context.frame_time = 1.0f / 60.0f;
            app.get_state_stack().back()->update();
            setup.input.capture(setup.context.frame_time);
            setup.input.run_key_bindings([&](key_code key) { return r_down && key == KC_R; });
            app.process_requests();
        };

        state_params params;
        params["level"] = std::string("bench.map");
        auto start = clock_type::now();
        app.change_state("game", params);
        app.process_requests();
        const double load_ms = milliseconds_since(start);
        start = clock_type::now();
        level_problems::check("media/levels/bench.map");
        const double check_ms = milliseconds_since(start);

        double total = 0.0, longest = 0.0, warm = 0.0;
        const int rebuilds = 100;
        for (int i = 0; i < rebuilds; ++i) {
            if (i == 10)
                warm = resident_megabytes();
            start = clock_type::now();
            frame(true);
            const double cost = milliseconds_since(start);
            frame(false);
            total += cost;
            longest = std::max(longest, cost);
        }
        std::printf("%8s %10s %10s %12s %12s %16s\n", "objects", "load ms", "checks ms", "rebuild ms", "longest ms",
                    "memory after 10");
        std::printf("%8d %10.1f %10.1f %12.1f %12.1f %+13.1f MiB\n", objects, load_ms, check_ms, total / rebuilds,
                    longest, resident_megabytes() - warm);
    }
    log_manager.destroyLog(log_file.string());
    std::filesystem::remove(log_file);
    return 0;
}
