#pragma once

// Window sizes as the render settings write them, "1024 x 768", and the
// sizes the options screen offers: every mode X lists for the screen, and
// the usual window sizes that fit inside the largest of them.

#include <string>
#include <vector>

// X windows are at most 32767 wide; past 16384 no GL driver renders.
constexpr int largest_window_side = 16384;

// Reads "1024 x 768" (a trailing "@ 60 Hz" is allowed); false unless both
// sides are between 1 and largest_window_side.
bool read_window_size(const std::string& text, int& width, int& height);
std::string window_size_text(int width, int height);

// The sizes to offer for `x_modes` (the render system's video modes), from
// small to large, each once; `current` is among them even when X no longer
// lists it, so the screen can show what is set.
std::vector<std::string> window_sizes(const std::vector<std::string>& x_modes, const std::string& current);
