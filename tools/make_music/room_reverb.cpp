#include "room_reverb.h"

#include "stereo_buffer.h"

#include <algorithm>

namespace {

// Mutually prime delays (in samples at 44.1 kHz) so the echoes never line up
// into a pitched ring.
const int comb_lengths[] = {1116, 1277, 1422, 1557, 1617, 1491};
const int allpass_lengths[] = {556, 441, 341};

class channel {
public:
    channel(float rate, int spread, float feedback, float damp)
    {
        const float scale = rate / 44100.0f;
        for (int n : comb_lengths)
            combs.push_back({std::vector<float>(std::size_t((n + spread) * scale)), 0, 0.0f});
        for (int n : allpass_lengths)
            allpasses.push_back({std::vector<float>(std::size_t((n + spread) * scale)), 0, 0.0f});
        fb = feedback;
        dmp = damp;
    }

    float process(float input)
    {
        float sum = 0.0f;
        for (auto& c : combs) {
            const float out = c.line[c.pos];
            c.memory = out * (1.0f - dmp) + c.memory * dmp;
            c.line[c.pos] = input + c.memory * fb;
            c.pos = (c.pos + 1) % c.line.size();
            sum += out;
        }
        for (auto& a : allpasses) {
            const float delayed = a.line[a.pos];
            a.line[a.pos] = sum + delayed * 0.5f;
            sum = delayed - sum;
            a.pos = (a.pos + 1) % a.line.size();
        }
        return sum;
    }

private:
    struct delay {
        std::vector<float> line;
        std::size_t pos;
        float memory;
    };
    std::vector<delay> combs;
    std::vector<delay> allpasses;
    float fb = 0;
    float dmp = 0;
};

}

room_reverb::room_reverb(float sample_rate, float size, float damping)
    : rate(sample_rate), feedback(0.7f + 0.26f * size), damp(0.15f + 0.6f * damping)
{
}

void room_reverb::process(const std::vector<float>& send, stereo_buffer& out) const
{
    channel left(rate, 0, feedback, damp);
    channel right(rate, 23, feedback, damp);
    const std::size_t count = std::min(send.size(), out.frames());
    for (std::size_t i = 0; i < count; ++i) {
        out.left()[i] += left.process(send[i]) * 0.05f;
        out.right()[i] += right.process(send[i]) * 0.05f;
    }
}
