#include "frame_timer.h"

#include <chrono>
#include <utility>

unsigned long long frame_timer::steady_now()
{
    return static_cast<unsigned long long>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

frame_timer::frame_timer() : frame_timer(steady_now) {}

frame_timer::frame_timer(clock now) : now(std::move(now)) {}

float frame_timer::begin_frame()
{
    const unsigned long long began = now();
    // Whole microseconds: a float of seconds since start-up would lose
    // sub-millisecond frames after a few hours.
    if (timed)
        last_frame = float(began - started) / 1000000.0f;
    started = began;
    return last_frame;
}

void frame_timer::end_frame()
{
    timed = !loading;
    loading = false;
}

void frame_timer::restart()
{
    last_frame = 0.0f;
    loading = true;
    timed = false;
}
