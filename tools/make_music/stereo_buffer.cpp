#include "stereo_buffer.h"

#include <algorithm>
#include <cmath>

void stereo_buffer::add_mono(std::size_t start, const std::vector<float>& mono, float gain, float pan)
{
    if (start >= frames())
        return;
    const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * 0.25f * 3.14159265f;
    const float gl = gain * std::cos(angle) * 1.41421356f;
    const float gr = gain * std::sin(angle) * 1.41421356f;
    const std::size_t count = std::min(mono.size(), frames() - start);
    for (std::size_t i = 0; i < count; ++i) {
        l[start + i] += mono[i] * gl;
        r[start + i] += mono[i] * gr;
    }
}

void stereo_buffer::add(const stereo_buffer& other, float gain)
{
    const std::size_t count = std::min(frames(), other.frames());
    for (std::size_t i = 0; i < count; ++i) {
        l[i] += other.l[i] * gain;
        r[i] += other.r[i] * gain;
    }
}

void stereo_buffer::fold_into_loop(std::size_t loop_frames)
{
    if (loop_frames == 0 || loop_frames >= frames())
        return;
    for (std::size_t i = loop_frames; i < frames(); ++i) {
        l[i % loop_frames] += l[i];
        r[i % loop_frames] += r[i];
    }
    l.resize(loop_frames);
    r.resize(loop_frames);
}

float stereo_buffer::peak() const
{
    float top = 0.0f;
    for (std::size_t i = 0; i < frames(); ++i)
        top = std::max({top, std::fabs(l[i]), std::fabs(r[i])});
    return top;
}

float stereo_buffer::rms() const
{
    if (frames() == 0)
        return 0.0f;
    double sum = 0.0;
    for (std::size_t i = 0; i < frames(); ++i)
        sum += double(l[i]) * l[i] + double(r[i]) * r[i];
    return float(std::sqrt(sum / double(2 * frames())));
}

void stereo_buffer::scale(float gain)
{
    for (std::size_t i = 0; i < frames(); ++i) {
        l[i] *= gain;
        r[i] *= gain;
    }
}
