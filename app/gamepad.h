#pragma once

// Game pads through SDL's game controller API: every pad plugged in, at
// start or at any time later, is opened, and one unplugged is let go, each
// with a log line. Read once a frame (poll), the pads give the sticks, with
// a small dead zone, and the buttons pressed and let go since the last poll.
// Several pads act as one. Without SDL's game controller support the game
// goes on without pads after one log line. No SDL type leaves this class.

#include <memory>
#include <vector>

class gamepad {
public:
    enum class button { a, b, start, up, down, left, right };

    // The left stick rolls, the right stick steers the camera; each axis
    // from -1 to 1, up and right positive, a stick's tilt at most 1.
    struct sticks {
        float roll_forward = 0.0f;
        float roll_right = 0.0f;
        float turn = 0.0f;
        float lift = 0.0f;
    };

    gamepad();
    ~gamepad();
    gamepad(const gamepad&) = delete;
    gamepad& operator=(const gamepad&) = delete;

    void poll();
    const sticks& get_sticks() const { return now; }
    const std::vector<button>& pressed() const { return went_down; }
    const std::vector<button>& released() const { return went_up; }
    int pads() const;

private:
    class pads_open;

    std::unique_ptr<pads_open> open;
    sticks now;
    std::vector<button> went_down;
    std::vector<button> went_up;
};
