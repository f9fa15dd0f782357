#pragma once

// The choices that give a song its character. The composer turns one of
// these into a score; everything not chosen here follows from the seed.
// Form is fixed: phrase A, A with a new ending, bridge B, A with the new
// ending again, so the last phrase leads back into the first.

#include "instrument.h"

#include <cstdint>
#include <string>
#include <vector>

// The modes the songs are set in, as semitones above the home note.
namespace scales {
inline const std::vector<int> major = {0, 2, 4, 5, 7, 9, 11};
inline const std::vector<int> minor = {0, 2, 3, 5, 7, 8, 10};
inline const std::vector<int> dorian = {0, 2, 3, 5, 7, 9, 10};
inline const std::vector<int> mixolydian = {0, 2, 4, 5, 7, 9, 10};
inline const std::vector<int> lydian = {0, 2, 4, 6, 7, 9, 11};
}

enum class chord_style { none, offbeat_stabs, arpeggio_up, arpeggio_updown, waltz_comp };
enum class bass_style { roots, pop, octaves, walking, waltz };
enum class drum_style { shaker_only, pop, halftime, drive, swing, waltz };

struct song_style {
    std::string file_name;
    std::uint64_t seed = 1;
    double tempo = 120;       // quarter notes a minute
    int beats_per_bar = 4;    // 3 or 4
    double swing = 0;         // 0 straight, 1/3 triplet feel
    int home = 60;            // MIDI note of the key's home note, in the melody's register
    std::vector<int> scale;   // seven semitone offsets from home
    std::vector<int> verse;   // chord roots as scale degrees, one a bar; its length is the phrase length
    std::vector<int> bridge;  // the B phrase's chords, as long as verse
    bool sevenths = false;
    double melody_density = 0.5; // 0 long notes .. 1 running notes
    timbre lead = timbre::pluck;
    timbre chord_sound = timbre::electric_piano;
    chord_style chords = chord_style::none;
    bool pad = false;
    timbre bass_sound = timbre::bass;
    bass_style bass = bass_style::roots;
    drum_style drums = drum_style::pop;
    float room = 0.5f;        // reverb size, 0 .. 1
    float lead_echo = 0.0f;   // how much of the lead goes into the echo
};
