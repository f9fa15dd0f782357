#pragma once

// The player's record of a level in words, as the level selection and the
// completed screen show it.

#include <string>

struct level_record;

// "01:42.52": minutes, seconds and hundredths of a play time in milliseconds.
std::string play_time_text(long milliseconds);
// "00:42.52 · 7 coins", or "" for a level never finished.
std::string best_text(const level_record& record);
