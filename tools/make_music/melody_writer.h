#pragma once

// Writes a song's tune in scale degrees. A phrase is built from one- and
// two-bar motifs that come back over later chords (moved to fit them), with
// chord notes on the strong beats, steps and small leaps between them, and
// a long chord note to close. Repetition is what makes a tune singable.

#include "random_source.h"
#include "song_style.h"

#include <vector>

struct melody_note {
    int step;   // sixteenths from the phrase's start
    int length; // sixteenths
    int degree; // scale degree, 0 the home note
    bool strong;
};

class melody_writer {
public:
    melody_writer(const song_style& style, random_source& rnd);

    // A phrase over `chords` (one a bar) centred near `centre` degrees.
    std::vector<melody_note> phrase(const std::vector<int>& chords, int centre);
    // The same phrase with its last two bars written anew.
    std::vector<melody_note> new_ending(const std::vector<melody_note>& original, const std::vector<int>& chords,
                                        int centre);

private:
    struct slot {
        int start;
        int length;
    };
    using rhythm = std::vector<slot>;

    rhythm pick_rhythm(bool cadence);
    std::vector<melody_note> fresh_bar(const rhythm& r, int chord, int offset, int& current, int centre, bool cadence);
    std::vector<melody_note> echo_bar(const std::vector<melody_note>& model, int model_offset, int chord, int offset,
                                      int& current);
    int chord_tone_near(int from, int chord, int centre, bool move);
    int step_from(int from, int centre);

    const song_style& style;
    random_source& rnd;
    int bar_steps;
    int direction = 1;
    int previous = 2;
};
