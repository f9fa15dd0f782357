#pragma once

// Breaks a text into lines of about `width` characters: for every multiple of
// width a line break goes after the first blank at or after it, counted in
// the text as it grows (each break shifts the later break points by one). A
// stretch without a blank gets no break. Used for level descriptions and the
// info boxes' banners.

#include <string>

std::string wrap_text(std::string text, int width);
