#pragma once

// Puts a line break into every word of `text` that is wider than `width`
// pixels in the GUI font named `font`, between two characters (UTF-8 aware),
// so that the GUI's word wrap, which breaks only at blanks, can keep every
// line inside that width. Text in an unknown font comes back unchanged.

#include <string>

std::string break_long_words(const std::string& text, const std::string& font, int width);
