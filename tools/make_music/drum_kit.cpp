#include "drum_kit.h"

#include "random_source.h"
#include "state_variable_filter.h"

#include <algorithm>
#include <cmath>

namespace {

const double two_pi = 6.283185307179586;

double onset(double t, double rise)
{
    return std::min(t / rise, 1.0);
}

}

std::vector<float> drum_kit::render(drum kind, float velocity, std::uint64_t seed) const
{
    switch (kind) {
    case drum::kick: return kick(velocity);
    case drum::snare: return snare(velocity, seed);
    case drum::rim: return rim(velocity);
    case drum::closed_hat: return hat(velocity, 0.025, seed);
    case drum::open_hat: return hat(velocity, 0.16, seed);
    case drum::shaker: return shaker(velocity, seed);
    }
    return {};
}

std::vector<float> drum_kit::kick(float velocity) const
{
    std::vector<float> out(std::size_t(0.45 * rate));
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / double(rate);
        // The pitch drop from a knock to a low thump is what makes it a kick.
        phase += (50.0 + 100.0 * std::exp(-t / 0.035)) / rate;
        const double level = std::exp(-t / 0.16) * onset(t, 0.001) * (1.0 - t / 0.45);
        out[i] = float(std::sin(two_pi * phase) * level * velocity);
    }
    return out;
}

std::vector<float> drum_kit::snare(float velocity, std::uint64_t seed) const
{
    random_source rnd(seed);
    state_variable_filter noise(rate, 3200.0f, 0.7f);
    std::vector<float> out(std::size_t(0.3 * rate));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / double(rate);
        noise.process(float(rnd.bipolar()));
        const double body = std::sin(two_pi * 190.0 * t) * std::exp(-t / 0.05) * 0.6;
        const double rattle = noise.band() * std::exp(-t / 0.09) * 1.2;
        out[i] = float((body + rattle) * onset(t, 0.001) * (1.0 - t / 0.3) * velocity);
    }
    return out;
}

std::vector<float> drum_kit::rim(float velocity) const
{
    std::vector<float> out(std::size_t(0.12 * rate));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / double(rate);
        const double knock = std::sin(two_pi * 830.0 * t) + 0.5 * std::sin(two_pi * 1720.0 * t);
        out[i] = float(knock * std::exp(-t / 0.018) * onset(t, 0.0008) * velocity * 0.6);
    }
    return out;
}

std::vector<float> drum_kit::hat(float velocity, double decay, std::uint64_t seed) const
{
    random_source rnd(seed);
    state_variable_filter air(rate, 7500.0f, 0.7f);
    std::vector<float> out(std::size_t((decay * 6.0 + 0.01) * rate));
    const double length = out.size() / double(rate);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / double(rate);
        air.process(float(rnd.bipolar()));
        out[i] = float(air.high() * std::exp(-t / decay) * onset(t, 0.001) * (1.0 - t / length) * velocity);
    }
    return out;
}

std::vector<float> drum_kit::shaker(float velocity, std::uint64_t seed) const
{
    random_source rnd(seed);
    state_variable_filter beads(rate, 5500.0f, 1.2f);
    std::vector<float> out(std::size_t(0.15 * rate));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / double(rate);
        beads.process(float(rnd.bipolar()));
        // A shake swells before it falls; a hat only falls.
        const double level = onset(t, 0.018) * std::exp(-std::max(t - 0.018, 0.0) / 0.035) * (1.0 - t / 0.15);
        out[i] = float(beads.band() * level * velocity);
    }
    return out;
}
