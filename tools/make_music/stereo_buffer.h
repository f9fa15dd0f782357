#pragma once

// Two channels of float samples at the music's sample rate, the working
// surface every voice, drum and effect adds into. Writes past the end are
// dropped, so a caller may start a note anywhere without checking its length.

#include <cstddef>
#include <vector>

class stereo_buffer {
public:
    explicit stereo_buffer(std::size_t frames) : l(frames, 0.0f), r(frames, 0.0f) {}

    std::size_t frames() const { return l.size(); }
    std::vector<float>& left() { return l; }
    std::vector<float>& right() { return r; }
    const std::vector<float>& left() const { return l; }
    const std::vector<float>& right() const { return r; }

    // Adds a mono signal from frame `start` on, panned from -1 (left) to 1
    // (right) with equal power.
    void add_mono(std::size_t start, const std::vector<float>& mono, float gain, float pan);
    void add(const stereo_buffer& other, float gain);

    // Turns the buffer into one period of an endless loop: everything past
    // `loop_frames` (the ringing of the last notes and the effects' tails) is
    // added onto the start, where it would sound when the loop repeats.
    void fold_into_loop(std::size_t loop_frames);

    float peak() const;
    float rms() const;
    void scale(float gain);

private:
    std::vector<float> l;
    std::vector<float> r;
};
