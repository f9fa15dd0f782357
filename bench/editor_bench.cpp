// What mapscout's editor costs an author on a large course: the generated
// course of N objects (10,000 unless given) is opened in the editor as
// mapscout opens it, then objects are picked with the pointer (a ray against
// every object) and moved with the arrow keys (the level's text changed and
// the object on screen moved, without building the level again). It prints
// the mean and longest pick and move, against the 16.7 ms of a frame at 60
// frames a second, what a delete costs, which builds the level again, and
// what of that the level checker's look at the draft takes.
//
// Usage: editor_bench [objects]

#include "app/application.h"
#include "headless_play/level_world.h"
#include "level/game_object.h"
#include "mapscout/editor/level_editor.h"
#include "mapscout/level_problems.h"
#include "states/gs_game.h"
#include "support/bench_course.h"

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
    Ogre::LogManager log_manager;
    const auto log_file =
        std::filesystem::temp_directory_path() / ("quillax_editor_bench_" + std::to_string(::getpid()) + ".log");
    log_manager.createLog(log_file.string(), true, false, false);
    {
        level_world setup("editor_bench");
        setup.context.scout = true;
        setup.write_level("bench.map", bench_course(objects));
        application app;
        gs_game game(&setup.context);
        state_params params;
        params["level"] = std::string("bench.map");
        app.change_state("game", params);
        app.process_requests();
        level_editor& editor = *game.get_editor();

        const int rounds = 200;
        double pick_total = 0.0, pick_longest = 0.0, move_total = 0.0, move_longest = 0.0;
        int picked = 0;
        for (int i = 0; i < rounds; ++i) {
            // Points spread over the view, as an author clicks around.
            const float x = 0.1f + 0.8f * float((i * 37) % 100) / 100.0f;
            const float y = 0.1f + 0.8f * float((i * 61) % 100) / 100.0f;
            auto start = clock_type::now();
            editor.click(x, y, false);
            double cost = milliseconds_since(start);
            pick_total += cost;
            pick_longest = std::max(pick_longest, cost);
            if (!editor.get_draft().get_picked())
                editor.get_draft().pick(std::size_t(i * 47) % editor.get_draft().get_level_text().object_count());
            picked += editor.picked_object() != nullptr;
            start = clock_type::now();
            editor.press(i % 2 ? KC_UP : KC_RIGHT);
            cost = milliseconds_since(start);
            move_total += cost;
            move_longest = std::max(move_longest, cost);
        }
        // Delete, which builds the level again from the text.
        editor.get_draft().pick(0);
        const auto start = clock_type::now();
        editor.press(key_code(211));
        app.get_state_stack().back()->update();
        app.process_requests();
        const double build_ms = milliseconds_since(start);
        const auto check_start = clock_type::now();
        level_problems::check_text(editor.get_path(), editor.get_text());
        const double check_ms = milliseconds_since(check_start);
        std::printf("%8s %12s %12s %12s %12s %10s %12s %12s\n", "objects", "pick ms", "longest ms", "move ms",
                    "longest ms", "picked", "build ms", "check ms");
        std::printf("%8d %12.3f %12.3f %12.3f %12.3f %7d/%d %12.1f %12.1f\n", objects, pick_total / rounds,
                    pick_longest, move_total / rounds, move_longest, picked, rounds, build_ms, check_ms);
    }
    log_manager.destroyLog(log_file.string());
    std::filesystem::remove(log_file);
    return 0;
}
