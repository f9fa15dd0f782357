#include "melody_writer.h"

#include "harmony.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct template_set {
    int busyness; // 0 calm, 1 moving, 2 busy
    std::vector<std::pair<int, int>> slots;
};

const std::vector<template_set> four_four = {
    {0, {{0, 8}, {8, 8}}},
    {0, {{0, 6}, {6, 2}, {8, 8}}},
    {0, {{0, 4}, {4, 4}, {8, 8}}},
    {0, {{0, 12}, {12, 4}}},
    {0, {{4, 4}, {8, 4}, {12, 4}}},
    {1, {{0, 4}, {4, 2}, {6, 2}, {8, 4}, {12, 4}}},
    {1, {{0, 3}, {3, 3}, {6, 2}, {8, 8}}},
    {1, {{0, 2}, {2, 2}, {4, 4}, {8, 4}, {12, 4}}},
    {1, {{0, 6}, {6, 2}, {8, 4}, {12, 2}, {14, 2}}},
    {1, {{0, 4}, {4, 4}, {8, 2}, {10, 2}, {12, 4}}},
    {2, {{0, 2}, {2, 2}, {4, 2}, {6, 2}, {8, 4}, {12, 4}}},
    {2, {{0, 3}, {3, 3}, {6, 3}, {9, 3}, {12, 4}}},
    {2, {{0, 2}, {2, 2}, {4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 4}}},
    {2, {{0, 4}, {4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 2}, {14, 2}}},
};
const std::vector<template_set> four_four_endings = {
    {0, {{0, 16}}},
    {0, {{0, 8}, {8, 8}}},
    {1, {{0, 4}, {4, 4}, {8, 8}}},
    {1, {{0, 6}, {6, 2}, {8, 8}}},
    {2, {{0, 2}, {2, 2}, {4, 4}, {8, 8}}},
};
const std::vector<template_set> three_four = {
    {0, {{0, 8}, {8, 4}}},
    {0, {{0, 12}}},
    {0, {{0, 4}, {4, 4}, {8, 4}}},
    {1, {{0, 6}, {6, 2}, {8, 4}}},
    {1, {{0, 4}, {4, 2}, {6, 2}, {8, 4}}},
    {1, {{4, 4}, {8, 4}}},
    {2, {{0, 2}, {2, 2}, {4, 4}, {8, 4}}},
    {2, {{0, 4}, {4, 2}, {6, 2}, {8, 2}, {10, 2}}},
};
const std::vector<template_set> three_four_endings = {
    {0, {{0, 12}}},
    {1, {{0, 8}, {8, 4}}},
    {2, {{0, 4}, {4, 8}}},
};

}

melody_writer::melody_writer(const song_style& style, random_source& rnd)
    : style(style), rnd(rnd), bar_steps(style.beats_per_bar * 4)
{
}

melody_writer::rhythm melody_writer::pick_rhythm(bool cadence)
{
    const auto& pool = style.beats_per_bar == 3 ? (cadence ? three_four_endings : three_four)
                                                : (cadence ? four_four_endings : four_four);
    const int target = int(style.melody_density * 2.0 + 0.5);
    std::vector<int> candidates;
    for (std::size_t i = 0; i < pool.size(); ++i) {
        const int distance = std::abs(pool[i].busyness - target);
        // The song's own pace twice as often as a neighbouring one.
        for (int w = 0; w < (distance == 0 ? 2 : distance == 1 ? 1 : 0); ++w)
            candidates.push_back(int(i));
    }
    const auto& chosen = pool[std::size_t(candidates[std::size_t(rnd.below(int(candidates.size())))])];
    rhythm r;
    for (const auto& [start, length] : chosen.slots)
        r.push_back({start, length});
    return r;
}

int melody_writer::chord_tone_near(int from, int chord, int centre, bool move)
{
    std::vector<int> tones;
    for (int d = centre - 5; d <= centre + 5; ++d)
        if (harmony::in_chord(d, chord, false) && !(move && d == from))
            tones.push_back(d);
    std::stable_sort(tones.begin(), tones.end(), [&](int a, int b) { return std::abs(a - from) < std::abs(b - from); });
    // Mostly the nearest chord note, sometimes the next one for a wider line.
    const std::size_t pick = tones.size() > 1 && rnd.chance(0.3) ? 1 : 0;
    return tones[pick];
}

int melody_writer::step_from(int from, int centre)
{
    if (from >= centre + 4)
        direction = -1;
    else if (from <= centre - 4)
        direction = 1;
    else if (rnd.chance(0.3))
        direction = -direction;
    const int size = rnd.chance(0.75) ? 1 : 2;
    return from + direction * size;
}

std::vector<melody_note> melody_writer::fresh_bar(const rhythm& r, int chord, int offset, int& current, int centre,
                                                  bool cadence)
{
    std::vector<melody_note> bar;
    for (std::size_t i = 0; i < r.size(); ++i) {
        const slot& s = r[i];
        const bool strong = s.start % 8 == 0 || s.length >= 4;
        const bool last = cadence && i + 1 == r.size();
        if (last) {
            // Close on the chord's root or third, whichever is nearer.
            int best = current;
            int best_distance = 100;
            for (int d = centre - 5; d <= centre + 5; ++d) {
                const int interval = ((d - chord) % 7 + 7) % 7;
                if ((interval == 0 || interval == 2) && std::abs(d - current) < best_distance) {
                    best = d;
                    best_distance = std::abs(d - current);
                }
            }
            current = best;
        } else if (strong) {
            current = chord_tone_near(current, chord, centre, rnd.chance(0.6));
        } else {
            current = step_from(current, centre);
        }
        bar.push_back({offset + s.start, s.length, current, strong});
    }
    return bar;
}

std::vector<melody_note> melody_writer::echo_bar(const std::vector<melody_note>& model, int model_offset, int chord,
                                                 int offset, int& current)
{
    std::vector<melody_note> bar;
    std::vector<melody_note> source;
    for (const auto& n : model)
        if (n.step >= model_offset && n.step < model_offset + bar_steps)
            source.push_back(n);
    if (source.empty())
        return bar;
    // Keep the motif's shape, moved so its first note is a note of the new chord.
    int shift = 0;
    for (int distance = 0; distance < 4; ++distance) {
        if (harmony::in_chord(source[0].degree + distance, chord, false)) {
            shift = distance;
            break;
        }
        if (harmony::in_chord(source[0].degree - distance, chord, false)) {
            shift = -distance;
            break;
        }
    }
    for (auto n : source) {
        n.step = n.step - model_offset + offset;
        n.degree += shift;
        // Long notes that clash with the new chord slide to its nearest note.
        if (n.length >= 4 && !harmony::in_chord(n.degree, chord, false))
            n.degree += harmony::in_chord(n.degree + 1, chord, false) ? 1 : -1;
        bar.push_back(n);
    }
    current = bar.back().degree;
    return bar;
}

std::vector<melody_note> melody_writer::phrase(const std::vector<int>& chords, int centre)
{
    const int bars = int(chords.size());
    std::vector<melody_note> out;
    // Carry on from where the last phrase ended: no leap between phrases.
    int current = previous;
    std::vector<rhythm> motifs = {pick_rhythm(false), pick_rhythm(false)};
    for (int bar = 0; bar < bars; ++bar) {
        const int offset = bar * bar_steps;
        const bool cadence = bar == bars - 1;
        const int in_half = bar % 4;
        std::vector<melody_note> notes;
        if (cadence) {
            notes = fresh_bar(pick_rhythm(true), chords[std::size_t(bar)], offset, current, centre, true);
        } else if (in_half == 2 || bar >= 4) {
            // Bar 3 answers bar 1; an eight-bar phrase restates its first half.
            const int model_bar = in_half == 2 ? bar - 2 : bar - 4;
            notes = echo_bar(out, model_bar * bar_steps, chords[std::size_t(bar)], offset, current);
        } else if (in_half == 3) {
            notes = fresh_bar(pick_rhythm(false), chords[std::size_t(bar)], offset, current, centre, false);
        } else {
            notes = fresh_bar(motifs[std::size_t(in_half)], chords[std::size_t(bar)], offset, current, centre, false);
        }
        out.insert(out.end(), notes.begin(), notes.end());
    }
    previous = current;
    return out;
}

std::vector<melody_note> melody_writer::new_ending(const std::vector<melody_note>& original,
                                                   const std::vector<int>& chords, int centre)
{
    const int bars = int(chords.size());
    const int cut = (bars - 2) * bar_steps;
    std::vector<melody_note> out;
    int current = centre;
    for (const auto& n : original)
        if (n.step < cut) {
            out.push_back(n);
            current = n.degree;
        }
    for (int bar = bars - 2; bar < bars; ++bar) {
        const bool cadence = bar == bars - 1;
        auto notes = fresh_bar(pick_rhythm(cadence), chords[std::size_t(bar)], bar * bar_steps, current, centre, cadence);
        out.insert(out.end(), notes.begin(), notes.end());
    }
    previous = current;
    return out;
}
