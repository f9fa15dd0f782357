#include "frame_limiter.h"

#include "frame_timer.h"

#include <chrono>
#include <thread>
#include <utility>

namespace {

using microseconds = std::chrono::microseconds;

void steady_sleep_until(unsigned long long until)
{
    std::this_thread::sleep_until(std::chrono::steady_clock::time_point(microseconds(until)));
}

}

frame_limiter::frame_limiter(bool on) : frame_limiter(on, frame_timer::steady_now, steady_sleep_until) {}

frame_limiter::frame_limiter(bool on, clock now, sleeper sleep_until)
    : on(on), now(std::move(now)), sleep_until(std::move(sleep_until))
{
}

void frame_limiter::wait(int frames_per_second)
{
    if (!on || frames_per_second <= 0)
        return;
    const unsigned long long deadline = last_end + 1000000ull / static_cast<unsigned long long>(frames_per_second);
    const unsigned long long ended = now();
    if (ended >= deadline) {
        last_end = ended;
        return;
    }
    sleep_until(deadline);
    last_end = deadline;
}
