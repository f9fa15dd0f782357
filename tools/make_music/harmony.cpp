#include "harmony.h"

#include <algorithm>
#include <utility>

namespace {

int floor_div(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int into_range(int midi, int low)
{
    return midi - 12 * floor_div(midi - low, 12);
}

}

harmony::harmony(int home, std::vector<int> scale) : home(home), steps(std::move(scale)) {}

int harmony::pitch(int degree) const
{
    const int octave = floor_div(degree, 7);
    return home + 12 * octave + steps[std::size_t(degree - 7 * octave)];
}

bool harmony::in_chord(int degree, int chord_root, bool seventh)
{
    const int interval = degree - chord_root - 7 * floor_div(degree - chord_root, 7);
    return interval == 0 || interval == 2 || interval == 4 || (seventh && interval == 6);
}

std::vector<int> harmony::voicing(int chord_root, bool seventh, int low) const
{
    std::vector<int> notes;
    for (int k = 0; k < (seventh ? 4 : 3); ++k)
        notes.push_back(into_range(pitch(chord_root + 2 * k), low));
    std::sort(notes.begin(), notes.end());
    return notes;
}

int harmony::root_near(int chord_root, int low) const
{
    return into_range(pitch(chord_root), low);
}

bool harmony::in_scale(int midi) const
{
    const int offset = midi - home - 12 * floor_div(midi - home, 12);
    return std::find(steps.begin(), steps.end(), offset) != steps.end();
}
