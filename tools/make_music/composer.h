#pragma once

// Turns a song_style into a score: the tune, chords, bass line and drums
// over the form A A' B A'. The same style always gives the same score.

#include "harmony.h"
#include "melody_writer.h"
#include "random_source.h"
#include "score.h"
#include "song_style.h"

#include <vector>

class composer {
public:
    explicit composer(const song_style& style);

    score compose();

private:
    void write_melody(score& out);
    void write_chords(score& out);
    void write_bass(score& out);
    void write_drums(score& out);
    void drum_bar(score& out, int bar, bool fill, bool lively);
    void lead_in(std::vector<melody_note>& phrase, const melody_note& first) const;

    float jitter(float velocity);
    int phrase_of(int bar) const { return bar / phrase_bars; }

    const song_style& style;
    harmony key;
    random_source rnd;
    int bar_steps;
    int phrase_bars;
    std::vector<int> chord_of_bar;
};
