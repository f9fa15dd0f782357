// The synthesised instruments, drums and effects: notes in tune and free of
// clicks, drums where a listener expects them in the spectrum, echoes and
// rooms that repeat and die away, and levels that never run away.

#include "drum_kit.h"
#include "instrument.h"
#include "random_source.h"
#include "room_reverb.h"
#include "score.h"
#include "song_renderer.h"
#include "stereo_buffer.h"
#include "stereo_echo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

const float rate = 44100.0f;

const std::vector<std::pair<timbre, std::string>> every_timbre = {
    {timbre::flute, "flute"},       {timbre::pluck, "pluck"}, {timbre::electric_piano, "electric piano"},
    {timbre::marimba, "marimba"},   {timbre::bell, "bell"},   {timbre::square_lead, "square lead"},
    {timbre::pad, "pad"},           {timbre::bass, "bass"},   {timbre::soft_bass, "soft bass"},
};

// The strongest period by autocorrelation, as a listener's ear finds pitch.
double heard_frequency(const std::vector<float>& s, std::size_t from, std::size_t count, double low, double high)
{
    double best = 0.0;
    int best_lag = 0;
    for (int lag = int(rate / high); lag <= int(rate / low); ++lag) {
        double sum = 0.0;
        for (std::size_t i = from; i < from + count; ++i)
            sum += double(s[i]) * s[i + std::size_t(lag)];
        if (sum > best) {
            best = sum;
            best_lag = lag;
        }
    }
    return best_lag ? rate / best_lag : 0.0;
}

double crossings_per_second(const std::vector<float>& s, std::size_t from, std::size_t count)
{
    int crossings = 0;
    for (std::size_t i = from + 1; i < from + count; ++i)
        crossings += (s[i - 1] < 0.0f) != (s[i] < 0.0f);
    return crossings * rate / double(count);
}

double level(const std::vector<float>& s, std::size_t from, std::size_t count)
{
    double sum = 0.0;
    for (std::size_t i = from; i < std::min(from + count, s.size()); ++i)
        sum += double(s[i]) * s[i];
    return std::sqrt(sum / double(count));
}

float peak(const std::vector<float>& s)
{
    float top = 0.0f;
    for (float v : s)
        top = std::max(top, std::fabs(v));
    return top;
}

TEST(instruments, every_instrument_plays_the_note_it_is_asked_for)
{
    for (const auto& [kind, name] : every_timbre) {
        SCOPED_TRACE(name);
        const bool low = kind == timbre::bass || kind == timbre::soft_bass;
        const double wanted = low ? 110.0 : 440.0;
        const auto note = instrument(kind, rate).render(wanted, 0.6, 1.0f, 7);
        const double heard = heard_frequency(note, 4410, 4410, wanted * 0.7, wanted * 1.4);
        // Within a sixth of a semitone: in tune to any ear.
        EXPECT_NEAR(1200.0 * std::log2(heard / wanted), 0.0, 17.0) << heard << " Hz";
    }
}

TEST(instruments, every_note_starts_and_ends_in_silence_so_overlaps_never_click)
{
    for (const auto& [kind, name] : every_timbre) {
        SCOPED_TRACE(name);
        const auto note = instrument(kind, rate).render(330.0, 0.4, 1.0f, 3);
        ASSERT_GT(note.size(), std::size_t(0.4 * rate));
        EXPECT_LT(std::fabs(note.front()), 0.01f);
        EXPECT_LT(std::fabs(note.back()), 0.01f);
        // And it does sound in between, without overdriving the mix.
        EXPECT_GT(peak(note), 0.1f);
        EXPECT_LT(peak(note), 1.5f);
    }
}

TEST(instruments, a_held_note_lasts_longer_than_a_short_one)
{
    for (const auto& [kind, name] : every_timbre) {
        SCOPED_TRACE(name);
        const instrument voice(kind, rate);
        const auto shorter = voice.render(262.0, 0.3, 1.0f, 1);
        const auto longer = voice.render(262.0, 1.5, 1.0f, 1);
        EXPECT_GE(longer.size(), shorter.size());
        // At 1.2 s the long note still sounds (struck sounds more softly).
        EXPECT_GT(level(longer, std::size_t(1.2 * rate), 2205), 0.002);
    }
}

TEST(instruments, velocity_only_changes_loudness)
{
    for (const auto& [kind, name] : every_timbre) {
        SCOPED_TRACE(name);
        const instrument voice(kind, rate);
        const auto loud = voice.render(392.0, 0.3, 1.0f, 5);
        const auto soft = voice.render(392.0, 0.3, 0.5f, 5);
        ASSERT_EQ(loud.size(), soft.size());
        for (std::size_t i = 0; i < loud.size(); i += 97)
            ASSERT_NEAR(soft[i], loud[i] * 0.5f, 1e-5f);
    }
}

TEST(instruments, the_same_seed_gives_the_same_note)
{
    const instrument voice(timbre::pluck, rate);
    EXPECT_EQ(voice.render(440.0, 0.2, 0.8f, 42), voice.render(440.0, 0.2, 0.8f, 42));
    EXPECT_NE(voice.render(440.0, 0.2, 0.8f, 42), voice.render(440.0, 0.2, 0.8f, 43));
}

TEST(drums, every_hit_rises_from_silence_and_dies_away)
{
    const drum_kit kit(rate);
    for (drum kind : {drum::kick, drum::snare, drum::rim, drum::closed_hat, drum::open_hat, drum::shaker}) {
        SCOPED_TRACE(int(kind));
        const auto hit = kit.render(kind, 1.0f, 9);
        ASSERT_GT(hit.size(), 100u);
        EXPECT_LT(std::fabs(hit.front()), 0.01f);
        EXPECT_GT(peak(hit), 0.05f);
        EXPECT_LT(level(hit, hit.size() - 441, 441), 0.01);
    }
}

TEST(drums, the_kick_is_low_and_the_hats_are_high)
{
    const drum_kit kit(rate);
    const auto kick = kit.render(drum::kick, 1.0f, 1);
    const auto snare = kit.render(drum::snare, 1.0f, 1);
    const auto hat = kit.render(drum::closed_hat, 1.0f, 1);
    const std::size_t span = 2205;
    EXPECT_LT(crossings_per_second(kick, 0, span), 400.0);
    EXPECT_GT(crossings_per_second(hat, 0, span), 5000.0);
    EXPECT_GT(crossings_per_second(snare, 0, span), crossings_per_second(kick, 0, span));
    EXPECT_LT(crossings_per_second(snare, 0, span), crossings_per_second(hat, 0, span));
}

TEST(drums, an_open_hat_rings_longer_than_a_closed_one)
{
    const drum_kit kit(rate);
    const auto closed = kit.render(drum::closed_hat, 1.0f, 2);
    const auto open = kit.render(drum::open_hat, 1.0f, 2);
    EXPECT_GT(level(open, 4410, 2205), 4.0 * level(closed, 4410, 2205));
}

TEST(effects, the_echo_repeats_after_its_delay_each_time_quieter)
{
    std::vector<float> send(20000, 0.0f);
    send[0] = 1.0f;
    stereo_buffer out(send.size());
    stereo_echo(rate, 5000, 0.5f).process(send, out, 1.0f);
    auto energy_near = [&](std::size_t at) {
        return level(out.left(), at - 200, 400) + level(out.right(), at - 200, 400);
    };
    EXPECT_LT(energy_near(2500), 1e-6);
    EXPECT_GT(energy_near(5000), 1e-4);
    EXPECT_GT(energy_near(10000), 1e-6);
    EXPECT_LT(energy_near(10000), energy_near(5000));
    // The repeats bounce: the first sounds on the left, the next on the right.
    EXPECT_GT(level(out.left(), 4800, 400), level(out.right(), 4800, 400));
    EXPECT_GT(level(out.right(), 9800, 400), level(out.left(), 9800, 400));
}

TEST(effects, a_room_spreads_a_click_into_a_tail_that_dies_away)
{
    std::vector<float> send(std::size_t(rate * 4), 0.0f);
    send[0] = 1.0f;
    stereo_buffer out(send.size());
    room_reverb(rate, 0.6f, 0.4f).process(send, out);
    const double early = level(out.left(), std::size_t(0.05 * rate), std::size_t(0.2 * rate));
    const double late = level(out.left(), std::size_t(3.0 * rate), std::size_t(0.5 * rate));
    EXPECT_GT(early, 1e-4);
    EXPECT_LT(late, early * 0.01);
    // Left and right differ, which is what makes the room sound wide.
    EXPECT_NE(out.left()[5000], out.right()[5000]);
}

TEST(rendering, a_song_is_levelled_to_its_peak_and_stays_a_whole_number_of_steps)
{
    score music;
    music.tempo = 120;
    music.total_steps = 32;
    part line{"lead", timbre::electric_piano, 3.0f, 0.0f, 0.0f, 0.2f, 0.2f, {}};
    for (int s = 0; s < 32; s += 4)
        line.notes.push_back({double(s), 3.0, 60 + s / 4, 1.0f});
    music.parts.push_back(line);
    const stereo_buffer out = song_renderer().render(music, 1);
    EXPECT_EQ(out.frames(), song_renderer::frames_per_step(120) * 32);
    EXPECT_LE(out.peak(), song_renderer::peak_level + 1e-4f);
    EXPECT_GT(out.rms(), 0.02f);
}

TEST(rendering, a_note_held_over_the_loops_end_sounds_at_its_start)
{
    score music;
    music.tempo = 120;
    music.total_steps = 16;
    part line{"lead", timbre::flute, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, {}};
    line.notes.push_back({12.0, 8.0, 69, 1.0f}); // the last beat and two more
    music.parts.push_back(line);
    const stereo_buffer out = song_renderer().render(music, 1);
    const std::size_t step = song_renderer::frames_per_step(120);
    EXPECT_GT(level(out.left(), step, step), 0.01);
    // Nothing plays in the middle of the loop.
    EXPECT_LT(level(out.left(), 8 * step, step), 1e-4);
}

TEST(rendering, swing_delays_the_off_beat_eighths)
{
    auto onset = [](double swing) {
        score music;
        music.tempo = 120;
        music.total_steps = 16;
        music.swing = swing;
        part line{"lead", timbre::marimba, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, {}};
        line.notes.push_back({2.0, 1.0, 72, 1.0f});
        music.parts.push_back(line);
        const stereo_buffer out = song_renderer().render(music, 1);
        std::size_t i = 0;
        while (i < out.frames() && std::fabs(out.left()[i]) < 1e-3f)
            ++i;
        return i;
    };
    const std::size_t step = song_renderer::frames_per_step(120);
    EXPECT_NEAR(double(onset(0.0)), double(2 * step), double(step) / 4);
    EXPECT_NEAR(double(onset(1.0 / 3.0)), double(2 * step) + 2.0 / 3.0 * double(step), double(step) / 4);
}

TEST(randomness, a_seed_always_gives_the_same_sequence_and_stays_in_range)
{
    random_source a(99);
    random_source b(99);
    random_source c(100);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const double x = a.uniform();
        EXPECT_EQ(x, b.uniform());
        differs = differs || x != c.uniform();
        EXPECT_GE(x, 0.0);
        EXPECT_LT(x, 1.0);
        const int pick = a.below(7);
        b.below(7);
        EXPECT_GE(pick, 0);
        EXPECT_LT(pick, 7);
    }
    EXPECT_TRUE(differs);
}

}
