#include "state_variable_filter.h"

#include <algorithm>
#include <cmath>

state_variable_filter::state_variable_filter(float sample_rate, float cutoff_hz, float resonance)
    : rate(sample_rate), damping(1.0f / std::max(resonance, 0.1f))
{
    set_cutoff(cutoff_hz);
}

void state_variable_filter::set_cutoff(float cutoff_hz)
{
    // Near Nyquist the tangent explodes; the music never needs more than this.
    const float hz = std::clamp(cutoff_hz, 10.0f, rate * 0.45f);
    const float g = std::tan(3.14159265f * hz / rate);
    a1 = 1.0f / (1.0f + g * (g + damping));
    a2 = g * a1;
    a3 = g * a2;
}

void state_variable_filter::process(float input)
{
    const float v3 = input - ic2;
    const float v1 = a1 * ic1 + a2 * v3;
    const float v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0f * v1 - ic1;
    ic2 = 2.0f * v2 - ic2;
    lp = v2;
    bp = v1;
    hp = input - damping * v1 - v2;
}
