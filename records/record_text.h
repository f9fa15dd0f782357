#pragma once

// The player's times in words, as the level selection, the completed screen
// and the split times show them.

#include <string>

struct level_record;

// "01:42.52": minutes, seconds and hundredths of a play time in milliseconds.
std::string play_time_text(long milliseconds);
// "00:42.52 · 7 coins", or "" for a level never finished.
std::string best_text(const level_record& record);
// Seconds gained on the best run, to the hundredth and always signed:
// "−1.24" (ahead, with a true minus sign), "+0.80", "+0.00"; a minute or
// more reads "+1:05.20".
std::string gain_text(double seconds);
