#pragma once

// A level's three medal times. Gold is the time of the level's author run
// (media/runs/), rounded up to the next tenth of a second; silver is half as
// long again, and bronze twice gold and 25 seconds more: the author run
// takes lines no careful newcomer takes, and a careful first run must still
// earn bronze.
// They stand in the campaign index as optional attributes of a `Level`
// (gold="14.3" silver="21.5" bronze="35.8"); a level without them has no
// medals. Times are whole milliseconds, as the progress file keeps them.

#include <string>

enum class medal { none, bronze, silver, gold };

struct medal_times {
    long gold_ms = 0; // 0: the level has no medals
    long silver_ms = 0;
    long bronze_ms = 0;

    static constexpr double silver_factor = 1.5;
    static constexpr double bronze_factor = 2.0;
    static constexpr long bronze_margin_ms = 25'000;

    bool known() const { return gold_ms > 0; }
    // The best medal a finish in `time_ms` earns.
    medal earned(long time_ms) const;
    // The time of `which`; 0 for none.
    long time_of(medal which) const;
    // The medal above `have`, none above gold.
    static medal next(medal have);

    // The medals an author run of `author_ms` sets.
    static medal_times from_author_run(long author_ms);
    // Reads "14.3" (seconds, up to three decimals) as milliseconds; false for
    // anything else, or for no time at all.
    static bool parse_time(const char* text, long& ms);
    // "14.3": the tenths the index writes.
    static std::string format_time(long ms);
    // "gold", "silver", "bronze" or "none", as files and logs name them.
    static const char* name(medal which);
};
