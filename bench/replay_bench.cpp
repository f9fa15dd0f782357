// What a best run costs the player: writing and reading its replay at the
// finish and in the level selection, its size on disk, and the ghost's
// lookup of its position every rendered frame. Runs of one, ten and sixty
// minutes at 60 frames a second, and the longest a replay may hold. Each
// figure is the fastest of three.
//
// Usage: replay_bench

#include "records/replay.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

using clock_type = std::chrono::steady_clock;

double seconds_since(clock_type::time_point start)
{
    return std::chrono::duration<double>(clock_type::now() - start).count();
}

// A ball rolling round a wide circle with the keys changing now and then.
replay rolling_run(std::size_t frames)
{
    replay run;
    run.level_file = "level_01.map";
    run.level_hash = replay::hash_text("bench");
    run.frames.reserve(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const float angle = float(i) * 0.001f;
        run.frames.push_back({1.0f / 60.0f, unsigned(i / 97 % 16), int(i % 7) - 3, 0, 300.0f * std::cos(angle),
                              55.02f, 300.0f * std::sin(angle)});
    }
    run.finish_time = double(frames) / 60.0;
    return run;
}

template <typename F>
double fastest(F&& work)
{
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = clock_type::now();
        work();
        best = std::min(best, seconds_since(start));
    }
    return best;
}

}

int main()
{
    std::printf("%12s %10s %10s %10s %14s\n", "frames", "MB", "write ms", "read ms", "lookup ns");
    for (const std::size_t frames : {std::size_t(3600), std::size_t(36000), std::size_t(216000), replay::max_frames}) {
        const replay run = rolling_run(frames);
        std::string text;
        const double write = fastest([&] { text = run.to_text(); });
        replay back;
        std::string error;
        const double read = fastest([&] { replay::parse(text, back, error); });
        float at[3] = {};
        const int lookups = 1000000;
        const double lookup = fastest([&] {
            for (int i = 0; i < lookups; ++i)
                back.position_at(run.finish_time * double(i) / lookups, at);
        });
        std::printf("%12zu %10.1f %10.1f %10.1f %14.1f\n", frames, double(text.size()) / 1e6, write * 1e3, read * 1e3,
                    lookup * 1e9 / lookups);
    }
}
