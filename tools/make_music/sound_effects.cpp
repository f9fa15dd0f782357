#include "sound_effects.h"

#include "instrument.h"
#include "ogg_writer.h"
#include "random_source.h"
#include "room_reverb.h"
#include "state_variable_filter.h"
#include "stereo_buffer.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <utility>

namespace {

const float rate = 44100.0f;
const double two_pi = 6.283185307179586;

double note_frequency(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// One effect being drawn: voices are laid onto a buffer of fixed length,
// part of each sent into the music's room, and finish() levels the whole.
class sketch {
public:
    explicit sketch(double seconds) : out(std::size_t(seconds * rate)), send(out.frames(), 0.0f) {}

    void note(timbre kind, int midi, double at, double held, float gain, float pan = 0.0f, float room = 0.2f)
    {
        add(at, instrument(kind, rate).render(note_frequency(midi), held, 1.0f, seed++), gain, pan, room);
    }

    // A sine whose pitch slides from f0 to f1 (evenly in octaves) while
    // it rises in `attack` and dies away exponentially over `decay`.
    void glide(double at, double seconds, double f0, double f1, double attack, double decay, float gain,
               float pan = 0.0f, float room = 0.2f)
    {
        std::vector<float> tone(std::size_t(seconds * rate));
        double phase = 0.0;
        for (std::size_t i = 0; i < tone.size(); ++i) {
            const double t = i / double(rate);
            phase += f0 * std::pow(f1 / f0, t / seconds) / rate;
            tone[i] = float(std::sin(two_pi * phase) * envelope(t, seconds, attack, decay));
        }
        add(at, tone, gain, pan, room);
    }

    // Noise through a band-pass whose centre slides from c0 to c1 Hz;
    // `grains` above zero breaks it into that many random crackles a second.
    void noise(double at, double seconds, float c0, float c1, double attack, double decay, float gain,
               float pan = 0.0f, float room = 0.2f, double grains = 0.0)
    {
        random_source rnd(seed++);
        state_variable_filter filter(rate, c0, 0.6f);
        std::vector<float> hiss(std::size_t(seconds * rate));
        double grain_level = 1.0;
        for (std::size_t i = 0; i < hiss.size(); ++i) {
            const double t = i / double(rate);
            filter.set_cutoff(float(c0 * std::pow(c1 / c0, t / seconds)));
            filter.process(float(rnd.bipolar()));
            if (grains > 0.0) {
                grain_level *= 0.9985;
                if (rnd.chance(grains / rate))
                    grain_level = 0.4 + 0.6 * rnd.uniform();
            }
            hiss[i] = float(filter.band() * grain_level * envelope(t, seconds, attack, decay));
        }
        add(at, hiss, gain, pan, room);
    }

    // The room's answer, a fade over the last 30 ms so the sound ends at
    // silence, and the peak brought to `peak`.
    stereo_buffer finish(float peak, float room_size = 0.35f)
    {
        room_reverb(rate, room_size, 0.5f).process(send, out);
        const std::size_t fade = std::min(out.frames(), std::size_t(0.03 * rate));
        for (std::size_t i = 0; i < fade; ++i) {
            const float g = float(i) / float(fade);
            out.left()[out.frames() - 1 - i] *= g;
            out.right()[out.frames() - 1 - i] *= g;
        }
        if (const float highest = out.peak(); highest > 0.0f)
            out.scale(peak / highest);
        return std::move(out);
    }

private:
    static double envelope(double t, double seconds, double attack, double decay)
    {
        const double rise = attack > 0.0 ? std::min(t / attack, 1.0) : 1.0;
        const double tail = std::min((seconds - t) / 0.005, 1.0);
        return rise * std::exp(-std::max(0.0, t - attack) / decay) * std::max(0.0, tail);
    }

    void add(double at, const std::vector<float>& mono, float gain, float pan, float room)
    {
        const std::size_t start = std::size_t(at * rate);
        out.add_mono(start, mono, gain, pan);
        for (std::size_t i = 0; i < mono.size() && start + i < send.size(); ++i)
            send[start + i] += mono[i] * gain * room;
    }

    stereo_buffer out;
    std::vector<float> send;
    std::uint64_t seed = 1;
};

// Levels are peaks; the music's peaks sit at 0.6. Effects heard often
// stay under it, the rare rewards may come close.
stereo_buffer coin()
{
    sketch s(0.7);
    s.note(timbre::marimba, 88, 0.0, 0.06, 0.8, -0.1f);
    s.note(timbre::bell, 95, 0.06, 0.3, 0.7, 0.1f);
    return s.finish(0.42f);
}

stereo_buffer blue_coin()
{
    sketch s(1.1);
    const int rising[] = {84, 88, 91, 96};
    for (int i = 0; i < 4; ++i)
        s.note(timbre::bell, rising[i], 0.05 * i, 0.25, 0.6, -0.3f + 0.2f * i, 0.35f);
    s.note(timbre::marimba, 100, 0.2, 0.1, 0.4, 0.2f);
    return s.finish(0.5f, 0.5f);
}

stereo_buffer checkpoint()
{
    sketch s(1.3);
    s.note(timbre::electric_piano, 72, 0.0, 0.5, 0.6, -0.2f, 0.3f);
    s.note(timbre::electric_piano, 76, 0.04, 0.5, 0.5, 0.0f, 0.3f);
    s.note(timbre::electric_piano, 79, 0.08, 0.5, 0.5, 0.2f, 0.3f);
    s.note(timbre::bell, 84, 0.12, 0.4, 0.35, 0.0f, 0.4f);
    return s.finish(0.45f);
}

// Down and away, then a soft chime where the ball reappears.
stereo_buffer fall()
{
    sketch s(1.1);
    s.glide(0.0, 0.55, 700.0, 140.0, 0.01, 0.3, 0.8);
    s.noise(0.0, 0.5, 2500.0f, 300.0f, 0.05, 0.2, 0.5);
    s.note(timbre::pluck, 67, 0.55, 0.15, 0.5, 0.0f, 0.3f);
    s.note(timbre::pluck, 74, 0.62, 0.2, 0.45, 0.0f, 0.3f);
    return s.finish(0.45f);
}

// A latch, bars sliding, and their stop.
stereo_buffer door()
{
    sketch s(0.8);
    s.glide(0.0, 0.12, 180.0, 90.0, 0.001, 0.04, 0.9);
    s.noise(0.0, 0.02, 3000.0f, 3000.0f, 0.0, 0.006, 0.6);
    s.noise(0.05, 0.4, 600.0f, 1400.0f, 0.08, 0.2, 0.45, -0.1f, 0.1f);
    s.glide(0.42, 0.15, 120.0, 70.0, 0.001, 0.05, 0.8, 0.1f);
    return s.finish(0.4f);
}

stereo_buffer teleporter()
{
    sketch s(1.1);
    s.glide(0.0, 0.5, 300.0, 1800.0, 0.1, 0.4, 0.6, -0.2f, 0.4f);
    s.glide(0.02, 0.5, 450.0, 2700.0, 0.1, 0.4, 0.35, 0.2f, 0.4f);
    s.noise(0.0, 0.5, 800.0f, 6000.0f, 0.3, 0.2, 0.25, 0.0f, 0.3f);
    s.note(timbre::bell, 91, 0.45, 0.3, 0.5, 0.0f, 0.5f);
    return s.finish(0.45f, 0.5f);
}

// A punch from below and a rush of air.
stereo_buffer speed_kick()
{
    sketch s(0.6);
    s.glide(0.0, 0.25, 120.0, 45.0, 0.002, 0.08, 1.0);
    s.noise(0.0, 0.45, 400.0f, 4000.0f, 0.02, 0.15, 0.7, 0.0f, 0.15f);
    return s.finish(0.45f);
}

stereo_buffer crumble()
{
    sketch s(0.9);
    s.noise(0.0, 0.8, 1800.0f, 500.0f, 0.01, 0.35, 0.8, -0.15f, 0.15f, 40.0);
    s.noise(0.05, 0.7, 700.0f, 250.0f, 0.01, 0.3, 0.6, 0.15f, 0.15f, 25.0);
    s.glide(0.0, 0.3, 90.0, 55.0, 0.005, 0.12, 0.5);
    return s.finish(0.38f);
}

// Quiet: the ball leans on a push block often.
stereo_buffer scrape()
{
    sketch s(0.5);
    s.noise(0.0, 0.5, 900.0f, 700.0f, 0.06, 0.25, 1.0, 0.0f, 0.05f, 60.0);
    return s.finish(0.2f);
}

stereo_buffer complete()
{
    sketch s(2.4);
    const int run[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i)
        s.note(timbre::marimba, run[i], 0.11 * i, 0.1, 0.7, -0.2f + 0.13f * i, 0.3f);
    for (const int m : {72, 76, 79, 84, 88})
        s.note(timbre::electric_piano, m, 0.46, 1.2, 0.35, (m - 80) / 20.0f, 0.4f);
    s.note(timbre::bell, 96, 0.5, 0.6, 0.3, 0.0f, 0.5f);
    return s.finish(0.55f, 0.6f);
}

stereo_buffer new_best()
{
    sketch s(1.9);
    const int run[] = {79, 83, 86, 91, 95, 98};
    for (int i = 0; i < 6; ++i)
        s.note(timbre::bell, run[i], 0.07 * i, 0.3, 0.55, -0.4f + 0.16f * i, 0.45f);
    s.note(timbre::electric_piano, 79, 0.42, 1.0, 0.4, 0.0f, 0.4f);
    s.note(timbre::electric_piano, 86, 0.42, 1.0, 0.3, 0.0f, 0.4f);
    return s.finish(0.55f, 0.6f);
}

stereo_buffer menu_click()
{
    sketch s(0.12);
    s.noise(0.0, 0.01, 4000.0f, 4000.0f, 0.0, 0.002, 0.6);
    s.glide(0.0, 0.08, 1400.0, 1100.0, 0.001, 0.015, 0.7);
    return s.finish(0.25f, 0.1f);
}

const std::vector<std::pair<std::string, std::function<stereo_buffer()>>>& recipes()
{
    static const std::vector<std::pair<std::string, std::function<stereo_buffer()>>> list = {
        {"coin", coin},
        {"blue_coin", blue_coin},
        {"checkpoint", checkpoint},
        {"fall", fall},
        {"door", door},
        {"teleporter", teleporter},
        {"speed_kick", speed_kick},
        {"crumble", crumble},
        {"scrape", scrape},
        {"complete", complete},
        {"new_best", new_best},
        {"menu_click", menu_click},
    };
    return list;
}

}

std::vector<std::string> sound_effects::names()
{
    std::vector<std::string> out;
    for (const auto& recipe : recipes())
        out.push_back(recipe.first);
    return out;
}

stereo_buffer sound_effects::render(const std::string& name)
{
    for (const auto& recipe : recipes())
        if (recipe.first == name)
            return recipe.second();
    throw std::invalid_argument("no sound effect called " + name);
}

void sound_effects::write_all(const std::string& folder)
{
    int serial = 1000;
    for (const auto& recipe : recipes()) {
        ogg_settings settings;
        settings.quality = 0.5f;
        settings.serial = serial++;
        settings.title = recipe.first;
        write_ogg_vorbis(recipe.second(), settings, folder + "/" + recipe.first + ".ogg");
    }
}
