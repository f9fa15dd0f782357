// Medal times: the rules that turn an author run into three times, the medal
// a finish earns, and the index's attributes, broken ones giving no medals.

#include "records/medal_times.h"
#include "states/level_entry.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>
#include <tinyxml.h>

TEST(medal_times, author_run_sets_gold_rounded_up_and_looser_silver_and_bronze)
{
    const medal_times times = medal_times::from_author_run(14201);
    EXPECT_EQ(times.gold_ms, 14300);
    EXPECT_EQ(times.silver_ms, 21500); // 14.3 * 1.5 = 21.45, up to 21.5
    EXPECT_EQ(times.bronze_ms, 53600); // 14.3 * 2 + 25
    EXPECT_EQ(medal_times::from_author_run(14300).gold_ms, 14300);

    EXPECT_EQ(times.earned(14300), medal::gold);
    EXPECT_EQ(times.earned(14301), medal::silver);
    EXPECT_EQ(times.earned(21500), medal::silver);
    EXPECT_EQ(times.earned(53600), medal::bronze);
    EXPECT_EQ(times.earned(53601), medal::none);
    EXPECT_EQ(medal_times{}.earned(1), medal::none);
    EXPECT_EQ(medal_times::next(medal::none), medal::bronze);
    EXPECT_EQ(medal_times::next(medal::silver), medal::gold);
    EXPECT_EQ(times.time_of(medal_times::next(medal::bronze)), 21500);
}

TEST(medal_times, times_read_and_written_as_seconds)
{
    long ms = 0;
    EXPECT_TRUE(medal_times::parse_time("14.3", ms));
    EXPECT_EQ(ms, 14300);
    EXPECT_TRUE(medal_times::parse_time("7.125", ms));
    EXPECT_EQ(ms, 7125);
    for (const char* bad : {"", "-1", "0", "1.", ".5", "1.2345", "12s", "1e3", "99999999"})
        EXPECT_FALSE(medal_times::parse_time(bad, ms)) << bad;
    EXPECT_FALSE(medal_times::parse_time(nullptr, ms));
    EXPECT_EQ(medal_times::format_time(14300), "14.3");
    EXPECT_EQ(medal_times::format_time(7001), "7.1");
}

TEST(medal_times, index_entry_reads_medals_and_refuses_broken_ones)
{
    log_capture log;
    TiXmlElement good("Level");
    good.SetAttribute("filename", "none.map");
    good.SetAttribute("gold", "14.3");
    good.SetAttribute("silver", "21.5");
    good.SetAttribute("bronze", "35.8");
    EXPECT_EQ(level_entry(&good).get_medals().silver_ms, 21500);

    TiXmlElement plain("Level");
    plain.SetAttribute("filename", "none.map");
    EXPECT_FALSE(level_entry(&plain).get_medals().known());
    EXPECT_TRUE(log.lines.empty());

    TiXmlElement falling = good;
    falling.SetAttribute("bronze", "20");
    EXPECT_FALSE(level_entry(&falling).get_medals().known());
    TiXmlElement partial = plain;
    partial.SetAttribute("gold", "3");
    EXPECT_FALSE(level_entry(&partial).get_medals().known());
    EXPECT_TRUE(log.contains("Level none.map has no medals: gold, silver and bronze must be rising times in seconds"));
}
