#include "stereo_echo.h"

#include "state_variable_filter.h"
#include "stereo_buffer.h"

#include <algorithm>
#include <vector>

stereo_echo::stereo_echo(float sample_rate, int delay_frames, float feedback)
    : rate(sample_rate), delay(delay_frames > 0 ? delay_frames : 1), fb(feedback)
{
}

void stereo_echo::process(const std::vector<float>& send, stereo_buffer& out, float gain) const
{
    std::vector<float> left(std::size_t(delay), 0.0f);
    std::vector<float> right(std::size_t(delay), 0.0f);
    state_variable_filter tone_l(rate, 3500.0f, 0.7f);
    state_variable_filter tone_r(rate, 3500.0f, 0.7f);
    std::size_t pos = 0;
    const std::size_t count = std::min(send.size(), out.frames());
    for (std::size_t i = 0; i < count; ++i) {
        const float out_l = left[pos];
        const float out_r = right[pos];
        // The input enters on the left only and each repeat crosses over.
        tone_l.process(send[i] + out_r * fb);
        tone_r.process(out_l * fb);
        left[pos] = tone_l.low();
        right[pos] = tone_r.low();
        out.left()[i] += out_l * gain;
        out.right()[i] += out_r * gain;
        pos = (pos + 1) % left.size();
    }
}
