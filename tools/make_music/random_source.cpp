#include "random_source.h"

std::uint64_t random_source::next()
{
    // splitmix64: every seed, even 0, starts a well-mixed sequence.
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

double random_source::uniform()
{
    return double(next() >> 11) * (1.0 / 9007199254740992.0);
}

int random_source::below(int count)
{
    return int(next() % std::uint64_t(count));
}
