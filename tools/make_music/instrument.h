#pragma once

// One synthesised instrument: renders a single note as mono samples that
// start and end at zero, so notes can be laid over each other anywhere
// without clicks. Rendering is a pure function of its arguments (the seed
// fixes any noise or starting phase), which keeps the music reproducible.

#include <cstdint>
#include <vector>

enum class timbre {
    flute,          // soft sine-like lead with breath and late vibrato
    pluck,          // plucked string
    electric_piano, // FM tine piano
    marimba,        // wooden bar
    bell,           // glassy FM bell
    square_lead,    // filtered pulse wave, chiptune-like but round
    pad,            // slow detuned saws through a low-pass
    bass,           // round synth bass with a short filter blip
    soft_bass,      // sine and triangle, for calm songs
};

class instrument {
public:
    instrument(timbre kind, float sample_rate) : kind(kind), rate(sample_rate) {}

    // `seconds` is how long the note is held; the result also holds the
    // release that follows. Velocity only scales the level, so a rendered
    // note may be reused at any velocity by scaling it.
    std::vector<float> render(double frequency, double seconds, float velocity, std::uint64_t seed) const;

private:
    timbre kind;
    float rate;
};
