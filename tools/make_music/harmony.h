#pragma once

// The key a song is in: a home note and a seven-note scale. Melodies count
// in scale degrees (0 is the home note, 7 the octave above, -1 the note
// below), so the composer can move by steps and build chords by thirds
// without knowing the key; this class turns degrees into MIDI notes.

#include <vector>

class harmony {
public:
    // `home` is the MIDI note of degree 0; `scale` holds seven ascending
    // semitone offsets starting with 0.
    harmony(int home, std::vector<int> scale);

    int pitch(int degree) const;
    // True when `degree` is a note of the chord built on `chord_root`
    // (root, third, fifth, and the seventh when asked for).
    static bool in_chord(int degree, int chord_root, bool seventh);
    // The MIDI notes of the chord on `chord_root`, each moved by octaves into
    // [low, low + 12), lowest first: close voicings that stay in one register
    // from chord to chord.
    std::vector<int> voicing(int chord_root, bool seventh, int low) const;
    // The chord's root as a MIDI note in [low, low + 12).
    int root_near(int chord_root, int low) const;
    // True when a MIDI note belongs to the scale.
    bool in_scale(int midi) const;

private:
    int home;
    std::vector<int> steps;
};
