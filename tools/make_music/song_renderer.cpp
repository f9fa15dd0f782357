#include "song_renderer.h"

#include "drum_kit.h"
#include "instrument.h"
#include "room_reverb.h"
#include "score.h"
#include "stereo_buffer.h"
#include "stereo_echo.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {

// Long enough for the reverb and echo to die away below hearing.
const double tail_seconds = 4.0;
const float target_rms = 0.12f;

struct drum_mix {
    float gain;
    float pan;
    float reverb;
};

drum_mix mix_of(drum kind)
{
    switch (kind) {
    case drum::kick: return {0.55f, 0.0f, 0.03f};
    case drum::snare: return {0.32f, 0.05f, 0.25f};
    case drum::rim: return {0.3f, -0.25f, 0.25f};
    case drum::closed_hat: return {0.16f, 0.3f, 0.08f};
    case drum::open_hat: return {0.14f, 0.3f, 0.15f};
    case drum::shaker: return {0.14f, -0.35f, 0.12f};
    }
    return {0, 0, 0};
}

std::uint64_t mix_seed(std::uint64_t seed, std::uint64_t a, std::uint64_t b)
{
    return seed * 0x100000001b3ULL ^ (a << 32) ^ b;
}

void add_to_send(std::vector<float>& send, std::size_t at, const std::vector<float>& samples, float gain)
{
    if (gain <= 0 || at >= send.size())
        return;
    const std::size_t count = std::min(samples.size(), send.size() - at);
    for (std::size_t i = 0; i < count; ++i)
        send[at + i] += samples[i] * gain;
}

double frequency(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

}

std::size_t song_renderer::frames_per_step(double tempo)
{
    return std::size_t(std::lround(sample_rate * 60.0 / tempo / 4.0));
}

stereo_buffer song_renderer::render(const score& music, std::uint64_t seed) const
{
    const std::size_t step_frames = frames_per_step(music.tempo);
    const std::size_t loop = step_frames * std::size_t(music.total_steps);
    const std::size_t length = loop + std::size_t(tail_seconds * sample_rate);
    auto frame_of = [&](double step) {
        // Swing delays every off-beat eighth towards the next beat.
        const double wrapped = std::fmod(step, 4.0);
        const double swung = std::fabs(wrapped - 2.0) < 1e-9 ? step + music.swing * 2.0 : step;
        return std::size_t(std::lround(swung * double(step_frames)));
    };

    // The effects take mono sends: half the memory, and both spread their
    // output across the stereo field by themselves.
    stereo_buffer dry(length);
    std::vector<float> room_send(length, 0.0f);
    std::vector<float> echo_send;
    for (std::size_t p = 0; p < music.parts.size(); ++p) {
        const part& line = music.parts[p];
        const instrument voice(line.sound, sample_rate);
        // Songs repeat themselves, and so do their notes: each distinct note
        // is synthesised once per part and reused at every velocity.
        std::map<std::tuple<int, long, int>, std::vector<float>> rendered;
        for (const note& tone : line.notes) {
            const std::size_t at = frame_of(tone.step);
            const long length = std::lround(tone.length * 64.0);
            const int copies = line.width > 0 ? 2 : 1;
            for (int c = 0; c < copies; ++c) {
                const auto key = std::make_tuple(tone.pitch, length, c);
                auto found = rendered.find(key);
                if (found == rendered.end()) {
                    const double seconds = length / 64.0 * double(step_frames) / sample_rate;
                    const std::uint64_t take = mix_seed(seed, p * 2 + std::uint64_t(c), std::uint64_t(tone.pitch));
                    found = rendered.emplace(key, voice.render(frequency(tone.pitch), seconds, 1.0f, take)).first;
                }
                const auto& samples = found->second;
                const float pan = copies == 2 ? (c ? line.width : -line.width) : line.pan;
                const float gain = line.gain * tone.velocity / float(copies);
                dry.add_mono(at, samples, gain, pan);
                add_to_send(room_send, at, samples, gain * line.reverb);
                if (line.echo > 0) {
                    echo_send.resize(length, 0.0f);
                    add_to_send(echo_send, at, samples, gain * line.echo);
                }
            }
        }
    }

    const drum_kit kit(sample_rate);
    // Four takes of each drum, as a player's hits never sound quite alike.
    std::map<std::pair<int, int>, std::vector<float>> takes;
    for (std::size_t h = 0; h < music.drums.size(); ++h) {
        const drum_hit& hit = music.drums[h];
        const auto key = std::make_pair(int(hit.kind), int(h % 4));
        auto found = takes.find(key);
        if (found == takes.end())
            found = takes.emplace(key, kit.render(hit.kind, 1.0f, mix_seed(seed, 1000 + key.first, key.second))).first;
        const drum_mix mix = mix_of(hit.kind);
        dry.add_mono(frame_of(hit.step), found->second, mix.gain * hit.velocity, mix.pan);
        add_to_send(room_send, frame_of(hit.step), found->second, mix.gain * hit.velocity * mix.reverb);
    }

    stereo_echo(sample_rate, int(step_frames * 3), 0.38f).process(echo_send, dry, 0.6f);
    room_reverb(sample_rate, music.room, 0.4f).process(room_send, dry);

    dry.fold_into_loop(loop);
    const float rms = dry.rms();
    const float peak = dry.peak();
    if (rms > 0 && peak > 0)
        dry.scale(std::min(target_rms / rms, peak_level / peak));
    return dry;
}
