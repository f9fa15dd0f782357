#pragma once

// Counting and cutting UTF-8 text by characters, for names and captions that
// must fit a width given in characters. A byte that cannot start or continue
// a well-formed sequence (a Latin-1 "é" in a file that says UTF-8) counts as
// one character of its own, so any byte string can be measured and cut
// without reading past its end or splitting a character.

#include <string>

// How many characters text holds.
size_t utf8_length(const std::string& text);

// The first `characters` characters of text (all of it when it is shorter).
std::string utf8_prefix(const std::string& text, size_t characters);
