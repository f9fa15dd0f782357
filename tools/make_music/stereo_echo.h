#pragma once

// A ping-pong echo: repeats bounce between left and right, each quieter and
// darker than the last. Timed in frames, so it can sit on the beat grid.

#include <vector>

class stereo_buffer;

class stereo_echo {
public:
    stereo_echo(float sample_rate, int delay_frames, float feedback);

    // Adds the echoes of the mono `send` (without the dry signal) into `out`.
    void process(const std::vector<float>& send, stereo_buffer& out, float gain) const;

private:
    float rate;
    int delay;
    float fb;
};
