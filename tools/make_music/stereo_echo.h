#pragma once

// A ping-pong echo: repeats bounce between left and right, each quieter and
// darker than the last. Timed in frames, so it can sit on the beat grid.

class stereo_buffer;

class stereo_echo {
public:
    stereo_echo(float sample_rate, int delay_frames, float feedback);

    // Returns the echoes of `send` (without the dry signal), the same length.
    stereo_buffer process(const stereo_buffer& send) const;

private:
    float rate;
    int delay;
    float fb;
};
