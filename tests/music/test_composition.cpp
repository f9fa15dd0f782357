// How the songs are written: chords built in thirds of the key, a tune that
// lands on chord notes where the ear expects them, repeats its opening
// phrase, leads from the loop's end back into its start, and a form that
// fills the loop exactly.

#include "composer.h"
#include "harmony.h"
#include "melody_writer.h"
#include "random_source.h"
#include "soundtrack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const std::vector<int> major = {0, 2, 4, 5, 7, 9, 11};

TEST(harmony, degrees_walk_the_scale_across_octaves)
{
    const harmony c_major(60, major);
    EXPECT_EQ(c_major.pitch(0), 60);
    EXPECT_EQ(c_major.pitch(2), 64);
    EXPECT_EQ(c_major.pitch(7), 72);
    EXPECT_EQ(c_major.pitch(-1), 59);
    EXPECT_EQ(c_major.pitch(-7), 48);
    EXPECT_TRUE(c_major.in_scale(65));
    EXPECT_FALSE(c_major.in_scale(66));
    EXPECT_TRUE(c_major.in_scale(47));
}

TEST(harmony, chords_are_stacked_thirds_in_one_register)
{
    const harmony c_major(60, major);
    // The dominant, G B D, voiced from E3 up: G3 B3 D4.
    EXPECT_EQ(c_major.voicing(4, false, 52), (std::vector<int>{55, 59, 62}));
    // With its seventh, F3.
    EXPECT_EQ(c_major.voicing(4, true, 52), (std::vector<int>{53, 55, 59, 62}));
    EXPECT_TRUE(harmony::in_chord(4, 0, false));
    EXPECT_TRUE(harmony::in_chord(-3, 0, false)); // E below
    EXPECT_FALSE(harmony::in_chord(1, 0, false));
    EXPECT_TRUE(harmony::in_chord(6, 0, true));
    EXPECT_EQ(c_major.root_near(5, 33), 33); // A1
    EXPECT_EQ(c_major.root_near(0, 33), 36); // C2
}

song_style test_style(int beats_per_bar)
{
    song_style s;
    s.file_name = "test.ogg";
    s.seed = 5;
    s.tempo = 110;
    s.beats_per_bar = beats_per_bar;
    s.home = 72;
    s.scale = major;
    s.verse = {0, 5, 3, 4};
    s.bridge = {3, 4, 0, 4};
    return s;
}

TEST(melody, a_phrase_fills_its_bars_without_overlapping_notes)
{
    for (int beats : {3, 4}) {
        SCOPED_TRACE(beats);
        const song_style style = test_style(beats);
        random_source rnd(1);
        melody_writer writer(style, rnd);
        const auto tune = writer.phrase(style.verse, 2);
        ASSERT_FALSE(tune.empty());
        for (std::size_t i = 1; i < tune.size(); ++i)
            EXPECT_LE(tune[i - 1].step + tune[i - 1].length, tune[i].step);
        EXPECT_EQ(tune.back().step + tune.back().length, 4 * beats * 4);
    }
}

TEST(melody, long_and_downbeat_notes_belong_to_the_chord_beneath)
{
    for (const auto& style : soundtrack().songs()) {
        SCOPED_TRACE(style.file_name);
        random_source rnd(style.seed);
        melody_writer writer(style, rnd);
        const int bar = style.beats_per_bar * 4;
        for (const auto* chords : {&style.verse, &style.bridge}) {
            int clashes = 0;
            int checked = 0;
            for (const auto& n : writer.phrase(*chords, 3)) {
                if (n.length < 4 && n.step % bar != 0)
                    continue;
                ++checked;
                clashes += !harmony::in_chord(n.degree, (*chords)[std::size_t(n.step / bar)], true);
            }
            // A motif moved onto a new chord may lean on one passing note.
            EXPECT_LE(clashes * 5, checked);
        }
    }
}

TEST(melody, the_tune_stays_in_a_singable_range)
{
    for (const auto& style : soundtrack().songs()) {
        SCOPED_TRACE(style.file_name);
        const score music = composer(style).compose();
        const auto& lead = music.parts.front();
        ASSERT_EQ(lead.name, "lead");
        const auto [low, high] = std::minmax_element(lead.notes.begin(), lead.notes.end(),
                                                     [](const note& a, const note& b) { return a.pitch < b.pitch; });
        EXPECT_LE(high->pitch - low->pitch, 24);
        for (std::size_t i = 1; i < lead.notes.size(); ++i)
            EXPECT_LE(std::abs(lead.notes[i].pitch - lead.notes[i - 1].pitch), 12) << "at step " << lead.notes[i].step;
    }
}

TEST(form, the_first_phrase_comes_back_before_the_bridge)
{
    for (const auto& style : soundtrack().songs()) {
        SCOPED_TRACE(style.file_name);
        const score music = composer(style).compose();
        const int phrase = int(style.verse.size()) * style.beats_per_bar * 4;
        std::vector<int> first;
        std::vector<int> second;
        for (const auto& n : music.parts.front().notes) {
            // Its opening half: the second phrase only changes the ending.
            if (n.step < phrase / 2)
                first.push_back(n.pitch);
            else if (n.step >= phrase && n.step < phrase + phrase / 2)
                second.push_back(n.pitch);
        }
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, second);
    }
}

TEST(form, every_part_plays_within_the_loop_and_the_loop_is_whole_bars)
{
    for (const auto& style : soundtrack().songs()) {
        SCOPED_TRACE(style.file_name);
        const score music = composer(style).compose();
        EXPECT_EQ(music.total_steps % (style.beats_per_bar * 4), 0);
        EXPECT_EQ(music.total_steps, int(style.verse.size()) * 4 * style.beats_per_bar * 4);
        for (const auto& line : music.parts)
            for (const auto& n : line.notes) {
                EXPECT_GE(n.step, 0.0);
                EXPECT_LT(n.step, music.total_steps);
            }
        for (const auto& hit : music.drums)
            EXPECT_LT(hit.step, music.total_steps);
    }
}

TEST(form, the_loops_last_notes_step_into_its_first)
{
    for (const auto& style : soundtrack().songs()) {
        SCOPED_TRACE(style.file_name);
        const score music = composer(style).compose();
        const auto& lead = music.parts.front().notes;
        ASSERT_GE(lead.size(), 3u);
        if (lead.front().step != 0)
            continue;
        const note& last = lead.back();
        // The tune is still sounding at the end of the loop, not resting.
        EXPECT_GE(last.step + last.length * 1.2, music.total_steps - 1);
        EXPECT_LE(std::abs(last.pitch - lead.front().pitch), 4);
    }
}

TEST(form, the_same_style_always_composes_the_same_score)
{
    const auto style = soundtrack().songs()[2];
    const score a = composer(style).compose();
    const score b = composer(style).compose();
    ASSERT_EQ(a.parts.size(), b.parts.size());
    for (std::size_t p = 0; p < a.parts.size(); ++p) {
        ASSERT_EQ(a.parts[p].notes.size(), b.parts[p].notes.size());
        for (std::size_t i = 0; i < a.parts[p].notes.size(); ++i) {
            EXPECT_EQ(a.parts[p].notes[i].pitch, b.parts[p].notes[i].pitch);
            EXPECT_EQ(a.parts[p].notes[i].step, b.parts[p].notes[i].step);
        }
    }
    EXPECT_EQ(a.drums.size(), b.drums.size());
}

TEST(form, a_waltz_puts_its_bass_on_the_first_beat_of_every_bar)
{
    const auto songs = soundtrack().songs();
    const auto waltz = std::find_if(songs.begin(), songs.end(), [](const song_style& s) { return s.beats_per_bar == 3; });
    ASSERT_NE(waltz, songs.end());
    const score music = composer(*waltz).compose();
    const auto bass = std::find_if(music.parts.begin(), music.parts.end(), [](const part& p) { return p.name == "bass"; });
    ASSERT_NE(bass, music.parts.end());
    std::vector<bool> downbeat(std::size_t(music.total_steps / 12), false);
    for (const auto& n : bass->notes)
        if (int(n.step) % 12 == 0)
            downbeat[std::size_t(n.step / 12)] = true;
    EXPECT_TRUE(std::all_of(downbeat.begin(), downbeat.end(), [](bool b) { return b; }));
}

}
