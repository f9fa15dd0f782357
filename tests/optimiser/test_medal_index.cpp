// The route optimiser writes medal times into a campaign index the way its
// author would by hand: the three attributes on each <Level> of the level,
// and not one other byte changed, so that the index reads as before in the
// game and in a diff.

#include "medal_index.h"
#include "states/campaign_object.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

const std::string index_text = "<?xml version=\"1.0\"?>\n"
                               "<Campaigns>\n"
                               "  <!-- <Level filename=\"one.map\"/> once came first -->\n"
                               "  <Campaign name=\"A\">\n"
                               "    <Levels>\n"
                               "      <Level filename=\"one.map\" preview_file=\"one_pre.png\"/>\n"
                               "      <Level\tfilename='two.map'   bronze='9'  gold=\"1.5\" >\n"
                               "      </Level>\n"
                               "    </Levels>\n"
                               "  </Campaign>\n"
                               "  <Campaign name=\"B\"><Levels><Level filename=\"one.map\"/></Levels></Campaign>\n"
                               "</Campaigns>\n";

medal_times times(long gold_ms)
{
    return medal_times::from_author_run(gold_ms);
}

}

TEST(medal_index, lists_the_levels_in_the_order_of_the_text_and_not_those_commented_out)
{
    EXPECT_EQ(medal_index(index_text).level_files(), (std::vector<std::string>{"one.map", "two.map", "one.map"}));
}

TEST(medal_index, adds_the_times_after_the_last_attribute_of_every_entry_of_the_level)
{
    medal_index index(index_text);
    ASSERT_TRUE(index.set("one.map", times(5230)));
    std::string expected = index_text;
    const std::string added = " gold=\"5.3\" silver=\"8.0\" bronze=\"35.6\"";
    expected.insert(expected.find("one_pre.png\"") + 12, added);
    expected.insert(expected.find("\"one.map\"/></Levels>") + 9, added);
    EXPECT_EQ(index.get_text(), expected);
}

TEST(medal_index, replaces_times_already_there_in_their_own_quotes_and_adds_the_missing_one)
{
    medal_index index(index_text);
    ASSERT_TRUE(index.set("two.map", times(12000)));
    std::string expected = index_text;
    expected.replace(expected.find("<Level\t"), std::string("<Level\tfilename='two.map'   bronze='9'  gold=\"1.5\" >").size(),
                     "<Level\tfilename='two.map'   bronze='49.0'  gold=\"12.0\" silver=\"18.0\" >");
    EXPECT_EQ(index.get_text(), expected);
    EXPECT_FALSE(index.set("three.map", times(1000)));
    EXPECT_EQ(index.get_text(), expected) << "a level the index does not list changed it";
}

// What the index holds after it is written, the level selection reads.
TEST(medal_index, the_game_reads_the_times_it_writes)
{
    medal_index index(index_text);
    index.set("one.map", times(5230));
    index.set("two.map", times(12000));
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("quillax_medal_index_" + std::to_string(getpid()) + ".cmp");
    std::ofstream(path) << index.get_text();
    log_capture log;
    const auto campaigns = campaign_object::read_campaigns(path.string());
    std::filesystem::remove(path);
    ASSERT_EQ(campaigns.size(), 2u);
    const std::vector<level_entry*> entries = campaigns[0]->get_levels();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0]->get_medals().gold_ms, 5300);
    EXPECT_EQ(entries[0]->get_medals().bronze_ms, 35600);
    EXPECT_EQ(entries[1]->get_medals().silver_ms, 18000);
    EXPECT_EQ(campaigns[1]->get_levels()[0]->get_medals().gold_ms, 5300);
}
