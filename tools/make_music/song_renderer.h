#pragma once

// Plays a score through the instruments, drums, echo and room into one
// period of a seamless loop: whatever rings past the end is wrapped onto the
// start, so the loop's last frame flows into its first. The result is
// levelled to a gentle loudness with its peaks well below full scale.

#include <cstdint>

class stereo_buffer;
struct score;

class song_renderer {
public:
    static constexpr float sample_rate = 44100.0f;
    // Peak level of every rendered song (about -4.4 dBFS), which leaves the
    // encoder's small overshoots room below -1 dBFS.
    static constexpr float peak_level = 0.6f;

    // `seed` fixes the noise and phases of every note.
    stereo_buffer render(const score& music, std::uint64_t seed) const;

    // The loop's length in frames: whole sixteenth-note steps, so the grid
    // is exact and the loop an exact number of bars.
    static std::size_t frames_per_step(double tempo);
};
