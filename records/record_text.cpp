#include "record_text.h"

#include "progress_store.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string play_time_text(long milliseconds)
{
    // Hundredths rounded down, as the clock would have shown them.
    const long hundredths = milliseconds / 10;
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld.%02ld", hundredths / 6000, hundredths / 100 % 60, hundredths % 100);
    return text;
}

std::string best_text(const level_record& record)
{
    if (!record.finished || record.best_time_ms < 0)
        return "";
    std::string text = play_time_text(record.best_time_ms);
    if (record.most_coins >= 0)
        text += " \u2022 " + std::to_string(record.most_coins) + (record.most_coins == 1 ? " coin" : " coins");
    return text;
}

std::string gain_text(double seconds)
{
    // Rounded first, so a gain that shows as zero is never "−0.00".
    const long hundredths = std::lround(seconds * 100.0);
    const long size = std::labs(hundredths);
    char text[32];
    if (size < 6000)
        std::snprintf(text, sizeof text, "%ld.%02ld", size / 100, size % 100);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld.%02ld", size / 6000, size / 100 % 60, size % 100);
    // U+2212: the hyphen of the HUD's bold font is a short dash that reads as a dot.
    return (hundredths < 0 ? "\u2212" : "+") + std::string(text);
}
