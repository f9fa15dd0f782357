#pragma once

// A small room: parallel damped feedback combs followed by all-pass
// diffusers, a little longer on the right than on the left for width. It
// turns the dry send of the mix into the wet signal that is added back.

class stereo_buffer;

class room_reverb {
public:
    // `size` from 0 (small room) to 1 (hall); `damping` from 0 (bright) to 1 (dark).
    room_reverb(float sample_rate, float size, float damping);

    // Returns the wet signal for `send`, the same length as it. The caller
    // leaves room at the end for the tail to ring out.
    stereo_buffer process(const stereo_buffer& send) const;

private:
    float rate;
    float feedback;
    float damp;
};
