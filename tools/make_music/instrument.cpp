#include "instrument.h"

#include "random_source.h"
#include "state_variable_filter.h"

#include <algorithm>
#include <cmath>

namespace {

const double two_pi = 6.283185307179586;

// Softens the step a naive saw or pulse makes once per cycle; without it the
// higher notes alias into audible whistles.
double blep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

struct adsr {
    double attack, decay, sustain, release;

    // Level at time t of a note held for `held` seconds.
    double at(double t, double held) const
    {
        auto rising = [&](double x) {
            if (x < attack)
                return x / attack;
            if (x < attack + decay)
                return 1.0 - (1.0 - sustain) * (x - attack) / decay;
            return sustain;
        };
        if (t < held)
            return rising(t);
        const double x = std::min((t - held) / release, 1.0);
        return rising(held) * (1.0 - x) * (1.0 - x);
    }
};

std::vector<float> sized(double seconds, double release, float rate)
{
    return std::vector<float>(std::size_t((seconds + release) * rate) + 1, 0.0f);
}

std::vector<float> flute(double f, double held, float vel, random_source& rnd, float rate)
{
    const adsr env{0.06, 0.2, 0.85, 0.18};
    auto out = sized(held, env.release, rate);
    state_variable_filter breath(rate, float(f * 2.0), 1.5f);
    double phase = rnd.uniform();
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / double(rate);
        // Vibrato only on held notes, fading in like a player's would.
        const double depth = 0.004 * std::clamp((t - 0.25) / 0.3, 0.0, 1.0);
        phase += f * (1.0 + depth * std::sin(two_pi * 5.2 * t)) / rate;
        const double p = two_pi * phase;
        breath.process(float(rnd.bipolar()));
        const double tone = std::sin(p) + 0.18 * std::sin(2 * p) + 0.06 * std::sin(3 * p);
        const double puff = breath.band() * (0.06 + 0.25 * std::exp(-t / 0.05));
        out[i] = float((tone + puff) * env.at(t, held) * vel * 0.8);
    }
    return out;
}

std::vector<float> pluck(double f, double held, float vel, random_source& rnd, float rate)
{
    const double release = 0.08;
    auto out = sized(std::max(held, 0.25), release, rate);
    // A delay line one period long, filled with soft noise and averaged on
    // every pass: the string's ringing.
    const double period = rate / f;
    std::vector<float> line(std::size_t(period) + 2, 0.0f);
    state_variable_filter tone(rate, float(std::min(f * 8.0, 6000.0)), 0.7f);
    for (auto& s : line) {
        tone.process(float(rnd.bipolar()));
        s = tone.low();
    }
    const double loss = std::pow(0.5, 1.0 / (f * 0.9));
    const double frac = period - std::floor(period);
    const std::size_t n = std::size_t(period);
    std::size_t pos = 0;
    float last = 0.0f;
    const double stop = std::max(held, 0.25);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::size_t next = (pos + 1) % n;
        const float current = float(line[pos] * (1.0 - frac) + line[next] * frac);
        const float filtered = float(0.5 * (current + last) * loss);
        last = current;
        line[pos] = filtered;
        pos = next;
        const double t = i / double(rate);
        const double attack = std::min(t / 0.002, 1.0);
        const double damp = t < stop ? 1.0 : std::max(0.0, 1.0 - (t - stop) / release);
        out[i] = float(current * attack * damp * damp * vel * 1.6);
    }
    return out;
}

std::vector<float> fm_piano(double f, double held, float vel, random_source& rnd, float rate)
{
    const adsr env{0.003, 1.6, 0.25, 0.25};
    auto out = sized(held, env.release, rate);
    const double start = rnd.uniform();
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / double(rate);
        const double p = two_pi * (start + f * t);
        const double index = 2.1 * std::exp(-t / 0.35) + 0.15;
        const double body = std::sin(p + index * std::sin(p));
        const double tine = 0.12 * std::sin(p * 14.0) * std::exp(-t / 0.03);
        out[i] = float((body + tine) * env.at(t, held) * vel * 0.7);
    }
    return out;
}

std::vector<float> marimba(double f, double held, float vel, random_source& rnd, float rate)
{
    const double release = 0.05;
    const double ring = std::clamp(0.9 - f / 2500.0, 0.25, 0.8);
    auto out = sized(std::min(held, ring * 3.0), release, rate);
    const double start = rnd.uniform();
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / double(rate);
        const double p = two_pi * (start + f * t);
        const double bar = std::sin(p) * std::exp(-t / ring) + 0.25 * std::sin(4.0 * p) * std::exp(-t / 0.04) +
                           0.06 * std::sin(9.9 * p) * std::exp(-t / 0.012);
        const double attack = std::min(t / 0.0015, 1.0);
        const double end = out.size() / double(rate) - release;
        const double damp = t < end ? 1.0 : std::max(0.0, 1.0 - (t - end) / release);
        out[i] = float(bar * attack * damp * vel * 0.9);
    }
    return out;
}

std::vector<float> bell(double f, double held, float vel, random_source& rnd, float rate)
{
    // Struck bells ring on however short the note is.
    const double ring = std::max(held, 1.2);
    const double release = 0.4;
    auto out = sized(ring, release, rate);
    const double start = rnd.uniform();
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / double(rate);
        const double p = two_pi * (start + f * t);
        // A clear fundamental for the tune, with the faster-fading
        // inharmonic partials that make it a bell.
        const double index = 0.8 * std::exp(-t / 0.5);
        const double tone = std::sin(p + index * std::sin(2.0 * p)) + 0.18 * std::sin(2.76 * p) * std::exp(-t / 0.3) +
                            0.08 * std::sin(5.4 * p) * std::exp(-t / 0.12);
        const double level = std::exp(-t / 0.9) * std::min(t / 0.002, 1.0);
        const double x = t < ring ? 0.0 : std::min((t - ring) / release, 1.0);
        out[i] = float(tone * level * (1.0 - x) * (1.0 - x) * vel * 0.6);
    }
    return out;
}

std::vector<float> square_lead(double f, double held, float vel, random_source& rnd, float rate)
{
    const adsr env{0.008, 0.25, 0.7, 0.12};
    auto out = sized(held, env.release, rate);
    state_variable_filter filter(rate, 2000.0f, 0.9f);
    double phase = rnd.uniform();
    const double width = 0.32;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / double(rate);
        const double depth = 0.003 * std::clamp((t - 0.2) / 0.3, 0.0, 1.0);
        const double dt = f * (1.0 + depth * std::sin(two_pi * 5.5 * t)) / rate;
        phase += dt;
        phase -= std::floor(phase);
        double v = phase < width ? 1.0 : -1.0;
        v += blep(phase, dt);
        double shifted = phase + 1.0 - width;
        shifted -= std::floor(shifted);
        v -= blep(shifted, dt);
        if (i % 32 == 0)
            filter.set_cutoff(float(std::min(f * (2.5 + 5.0 * std::exp(-t / 0.12)), 7000.0)));
        filter.process(float(v));
        out[i] = float(filter.low() * env.at(t, held) * vel * 0.45);
    }
    return out;
}

std::vector<float> pad(double f, double held, float vel, random_source& rnd, float rate)
{
    const adsr env{0.35, 0.6, 0.8, 0.7};
    auto out = sized(held, env.release, rate);
    state_variable_filter filter(rate, float(std::min(f * 4.0, 1800.0)), 0.8f);
    const double detune[3] = {-0.006, 0.0, 0.0065};
    double phase[3] = {rnd.uniform(), rnd.uniform(), rnd.uniform()};
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / double(rate);
        double v = 0.0;
        for (int k = 0; k < 3; ++k) {
            const double dt = f * (1.0 + detune[k]) / rate;
            phase[k] += dt;
            phase[k] -= std::floor(phase[k]);
            v += 2.0 * phase[k] - 1.0 - blep(phase[k], dt);
        }
        filter.process(float(v / 3.0));
        out[i] = float(filter.low() * env.at(t, held) * vel * 0.6);
    }
    return out;
}

std::vector<float> bass(double f, double held, float vel, random_source& rnd, float rate, bool soft)
{
    const adsr env = soft ? adsr{0.012, 0.5, 0.7, 0.1} : adsr{0.004, 0.35, 0.65, 0.07};
    auto out = sized(held, env.release, rate);
    state_variable_filter filter(rate, 600.0f, 1.1f);
    double phase = rnd.uniform();
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = i / double(rate);
        const double dt = f / rate;
        phase += dt;
        phase -= std::floor(phase);
        const double sine = std::sin(two_pi * phase);
        double v;
        if (soft) {
            const double tri = 1.0 - 4.0 * std::fabs(phase - 0.5);
            v = 0.8 * sine + 0.25 * tri;
        } else {
            if (i % 32 == 0)
                filter.set_cutoff(float(f * 2.0 + 900.0 * std::exp(-t / 0.07)));
            filter.process(float(2.0 * phase - 1.0 - blep(phase, dt)));
            v = 0.75 * sine + 0.45 * filter.low();
        }
        out[i] = float(v * env.at(t, held) * vel * 0.9);
    }
    return out;
}

}

std::vector<float> instrument::render(double frequency, double seconds, float velocity, std::uint64_t seed) const
{
    random_source rnd(seed);
    switch (kind) {
    case timbre::flute: return flute(frequency, seconds, velocity, rnd, rate);
    case timbre::pluck: return pluck(frequency, seconds, velocity, rnd, rate);
    case timbre::electric_piano: return fm_piano(frequency, seconds, velocity, rnd, rate);
    case timbre::marimba: return marimba(frequency, seconds, velocity, rnd, rate);
    case timbre::bell: return bell(frequency, seconds, velocity, rnd, rate);
    case timbre::square_lead: return square_lead(frequency, seconds, velocity, rnd, rate);
    case timbre::pad: return pad(frequency, seconds, velocity, rnd, rate);
    case timbre::bass: return bass(frequency, seconds, velocity, rnd, rate, false);
    case timbre::soft_bass: return bass(frequency, seconds, velocity, rnd, rate, true);
    }
    return {};
}
