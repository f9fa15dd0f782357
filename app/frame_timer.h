#pragma once

// The main loop's frame timer. A frame is timed from the start of its update
// to the start of the next one's, so everything after its render (the frame
// limiter's wait included) belongs to it, and the next frame advances the
// states by that time. A change of state (building a level, say) happens
// between frames and is never timed; the new state's first frame would
// advance by the old state's last one, and draws the new scene for the first
// time. So that frame and the one after it advance by nothing: a level's
// play clock and its physics start when its first picture is on screen.
//
// The clock is a function returning microseconds, so tests can script it.

#include <functional>

class frame_timer {
public:
    using clock = std::function<unsigned long long()>;

    // The system's monotonic clock, in microseconds: the default.
    static unsigned long long steady_now();

    frame_timer();
    explicit frame_timer(clock now);

    // At the top of a frame: the time, in seconds, by which it advances.
    float begin_frame();
    // After the frame's render.
    void end_frame();
    // A state was entered, left or resumed since the last frame.
    void restart();

private:
    clock now;
    unsigned long long started = 0;
    float last_frame = 0.0f;
    bool loading = false;
    // Whether the frame begun last counts: not when it drew a new state's first picture.
    bool timed = false;
};
