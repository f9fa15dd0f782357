#include "record_text.h"

#include "level/progress_store.h"

#include <cstdio>

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
