#pragma once

// Keeps the main loop from drawing frames faster than a target rate, so a
// still picture does not keep a core busy. After each frame the loop calls
// wait(), which sleeps until one period after the previous frame's end.
// Deadlines follow each other at exact periods, so a sleep that wakes a
// little late is made up by the next frame and 60 a second stays 60; a frame
// that was already slower than the period resets the cadence and is not
// waited for. The limiter never changes what a frame advances the game by:
// the frame timer counts the wait as part of the frame.
//
// The clock (microseconds) and the sleep (until a time on that clock) are
// functions, so tests can script them.

#include <functional>

class frame_limiter {
public:
    using clock = std::function<unsigned long long()>;
    using sleeper = std::function<void(unsigned long long until)>;

    // Off: wait() returns at once. By default the monotonic clock and the
    // system's sleep.
    explicit frame_limiter(bool on);
    frame_limiter(bool on, clock now, sleeper sleep_until);

    // After a frame: no sooner than 1/frames_per_second after the previous
    // frame's end.
    void wait(int frames_per_second);

private:
    bool on;
    clock now;
    sleeper sleep_until;
    unsigned long long last_end = 0;
};
