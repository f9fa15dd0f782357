#pragma once

// The optimiser's dice: a seeded Mersenne Twister read through plain
// arithmetic rather than the standard distributions, whose results the
// standard leaves to each library, so a seed gives the same search anywhere.

#include <cstddef>
#include <cstdint>
#include <random>

class search_random {
public:
    explicit search_random(std::uint32_t seed) : engine(seed) {}

    // A whole number from 0 to n - 1; n must be above 0.
    std::size_t below(std::size_t n) { return std::size_t(engine() % n); }
    // A number from `low` up to `high`.
    float between(float low, float high) { return low + (high - low) * float(engine() >> 8) / float(1u << 24); }
    bool chance(float p) { return between(0.0f, 1.0f) < p; }

private:
    std::mt19937 engine;
};
