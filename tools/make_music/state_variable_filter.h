#pragma once

// A two-pole filter with low-, band- and high-pass outputs at once, stable
// while its cutoff moves, so envelopes can sweep it per note. One instance
// filters one signal; set_cutoff() may be called between any two samples.

class state_variable_filter {
public:
    state_variable_filter(float sample_rate, float cutoff_hz, float resonance);

    void set_cutoff(float cutoff_hz);
    // Feeds one sample; read the outputs afterwards.
    void process(float input);

    float low() const { return lp; }
    float band() const { return bp; }
    float high() const { return hp; }

private:
    float rate;
    float damping;
    float a1 = 0, a2 = 0, a3 = 0;
    float ic1 = 0, ic2 = 0;
    float lp = 0, bp = 0, hp = 0;
};
