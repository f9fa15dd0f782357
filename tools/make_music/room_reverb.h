#pragma once

// A small room: parallel damped feedback combs followed by all-pass
// diffusers, a little longer on the right than on the left for width. It
// turns the mono send of the mix into a stereo wet signal.

#include <vector>

class stereo_buffer;

class room_reverb {
public:
    // `size` from 0 (small room) to 1 (hall); `damping` from 0 (bright) to 1 (dark).
    room_reverb(float sample_rate, float size, float damping);

    // Adds the wet signal of `send` into `out` (at most as long as `out`).
    // The caller leaves room at the end for the tail to ring out.
    void process(const std::vector<float>& send, stereo_buffer& out) const;

private:
    float rate;
    float feedback;
    float damp;
};
