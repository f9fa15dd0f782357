#pragma once

// A small seeded random number generator whose sequence is fixed by this code
// alone (the standard library's distributions differ between versions), so a
// seed always gives the same music, byte for byte.

#include <cstdint>

class random_source {
public:
    explicit random_source(std::uint64_t seed) : state(seed) {}

    std::uint64_t next();
    // Uniform in [0, 1).
    double uniform();
    // Uniform in [-1, 1).
    double bipolar() { return uniform() * 2.0 - 1.0; }
    // Uniform integer in [0, count); count must be positive.
    int below(int count);
    bool chance(double probability) { return uniform() < probability; }

private:
    std::uint64_t state;
};
