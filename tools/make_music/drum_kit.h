#pragma once

// Synthesised percussion: each hit is rendered as mono samples that rise
// from zero within a millisecond or two, so a hit on the loop's first frame
// does not click. The seed fixes the noise of a hit.

#include <cstdint>
#include <vector>

enum class drum { kick, snare, rim, closed_hat, open_hat, shaker };

class drum_kit {
public:
    explicit drum_kit(float sample_rate) : rate(sample_rate) {}

    std::vector<float> render(drum kind, float velocity, std::uint64_t seed) const;

private:
    std::vector<float> kick(float velocity) const;
    std::vector<float> snare(float velocity, std::uint64_t seed) const;
    std::vector<float> rim(float velocity) const;
    std::vector<float> hat(float velocity, double decay, std::uint64_t seed) const;
    std::vector<float> shaker(float velocity, std::uint64_t seed) const;

    float rate;
};
