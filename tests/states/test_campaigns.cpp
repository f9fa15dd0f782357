#include "states/campaign_object.h"
#include "support/level_fixture.h"

namespace {

class campaigns : public level_fixture {
protected:
    std::vector<std::unique_ptr<campaign_object>> read(const std::string& index)
    {
        write_level("campaigns.cmp", index);
        return campaign_object::read_campaigns("media/levels/campaigns.cmp");
    }
};

}

TEST(short_names, keep_16_characters_and_shorten_at_a_blank_or_after_ten)
{
    EXPECT_EQ(level_entry::shorten("Sixteen chars ok"), "Sixteen chars ok");
    EXPECT_EQ(level_entry::shorten("Labyrinth of doom"), "Labyrinth...");
    EXPECT_EQ(level_entry::shorten("The long way round"), "The long w...");
    EXPECT_EQ(level_entry::shorten("Supercalifragilistic"), "Supercalif...");
    EXPECT_EQ(level_entry::shorten(""), "");
}

TEST(short_names, count_characters_not_bytes_and_never_cut_inside_one)
{
    // Two-byte letters: 16 characters stay whole, the cut keeps the é whole.
    EXPECT_EQ(level_entry::shorten("Grüne Höhlenwege"), "Grüne Höhlenwege");
    EXPECT_EQ(level_entry::shorten("Abcdefghiéxyzxyzxyz"), "Abcdefghié...");
    // The blank rule counts characters too, at both of its ends.
    EXPECT_EQ(level_entry::shorten("Überraschung im Tal"), "Überraschung...");
    EXPECT_EQ(level_entry::shorten("Über die Brücke hinaus"), "Über die B...");
    // Three- and four-byte characters.
    EXPECT_EQ(level_entry::shorten("€€€€€€€€€€€€€€€€€€"), "€€€€€€€€€€...");
    EXPECT_EQ(level_entry::shorten("日本語のレベル名はとても長いです"), "日本語のレベル名はとても長いです");
    EXPECT_EQ(level_entry::shorten("🎲🎲🎲🎲🎲🎲🎲🎲🎲🎲🎲🎲🎲🎲🎲🎲🎲"), "🎲🎲🎲🎲🎲🎲🎲🎲🎲🎲...");
}

TEST_F(campaigns, entries_read_name_and_description_from_their_level_files)
{
    write_level("a.map", "<Level name=\"Alpha\"><Description>First.</Description></Level>");
    write_level("b.map", "<Level name=\"A rather long level name\"/>");
    auto list = read(R"(<Campaigns><Campaign name="One"><Levels>
        <Level filename="a.map" preview_file="a.png" locked="tomato"/>
        <Level filename="b.map" locked="TRUE"/><Level filename="gone.map" locked="yes"/><Level/>
        </Levels></Campaign><Campaign><Levels/></Campaign></Campaigns>)");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->get_name(), "One");
    EXPECT_EQ(list[1]->get_name(), "unnamed campaign");
    const auto levels = list[0]->get_levels();
    ASSERT_EQ(levels.size(), 4u);
    EXPECT_EQ(levels[0]->get_name(), "Alpha");
    EXPECT_EQ(levels[0]->get_description(), "First.");
    EXPECT_EQ(levels[0]->get_preview_file(), "a.png");
    EXPECT_TRUE(levels[0]->is_locked());
    EXPECT_EQ(levels[1]->get_short_name(), "A rather l...");
    EXPECT_EQ(levels[1]->get_preview_file(), "test_level_pre.png");
    EXPECT_FALSE(levels[1]->is_locked());
    EXPECT_EQ(levels[2]->get_name(), "");
    EXPECT_FALSE(levels[2]->is_locked());
    EXPECT_EQ(levels[3]->get_file_name(), "");
    EXPECT_TRUE(log.contains("Level-Objekt kann nicht erstellt werden - Dateiname fehlt"));
}

TEST_F(campaigns, a_broken_index_gives_no_campaigns_and_says_why)
{
    EXPECT_TRUE(campaign_object::read_campaigns("media/levels/none.cmp").empty());
    EXPECT_TRUE(log.contains("campaigns.cmp: kann im Ordner media/campaigns/ nicht gefunden werden."));
    EXPECT_TRUE(read("<Other/>").empty());
    EXPECT_TRUE(log.contains("campaigns.cmp: Kein Campaigns-Tag vorhanden"));
    EXPECT_TRUE(read("<Campaigns><Nothing/></Campaigns>").empty());
    EXPECT_TRUE(log.contains("campaigns.cmp: Kein Campaign-Tag vorhanden"));
    EXPECT_TRUE(read("<Campaigns><Campaign").empty());
}

TEST_F(campaigns, a_campaign_names_the_look_of_its_courses_and_an_unknown_one_wears_the_meadow)
{
    auto list = read(R"(<Campaigns><Campaign name="Iron" ground="foundry"><Levels><Level filename="a.map"/></Levels>
        </Campaign><Campaign name="Plain"><Levels><Level filename="b.map"/></Levels></Campaign>
        <Campaign name="Hot" ground="lava"><Levels><Level filename="c.map"/></Levels></Campaign></Campaigns>)");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]->get_ground(), "foundry");
    EXPECT_EQ(list[1]->get_ground(), "meadow");
    EXPECT_EQ(list[2]->get_ground(), "meadow");
    EXPECT_TRUE(log.contains(
        "campaigns.cmp: campaign \"Hot\" names an unknown ground \"lava\"; its levels wear the meadow"));
    // A level started on its own (mapscout) wears the look of the campaign that lists it.
    EXPECT_EQ(campaign_object::ground_of("a.map", "media/levels/campaigns.cmp"), "foundry");
    EXPECT_EQ(campaign_object::ground_of("elsewhere.map", "media/levels/campaigns.cmp"), "meadow");
    EXPECT_EQ(campaign_object::ground_of("a.map", "media/levels/none.cmp"), "meadow");
}

TEST_F(campaigns, the_next_level_follows_the_first_listing_and_ends_with_the_list)
{
    write_level("a.map", "<Level name=\"A\"/>");
    write_level("b.map", "<Level name=\"B\"/>");
    write_level("c.map", "<Level name=\"C\"/>");
    auto list = read(R"(<Campaigns><Campaign><Levels><Level filename="a.map"/><Level filename="b.map"/>
        <Level filename="c.map"/><Level filename="b.map"/></Levels></Campaign></Campaigns>)");
    const campaign_object* campaign = list.at(0).get();
    EXPECT_EQ(campaign_object::next_level_file("a.map", campaign), "b.map");
    EXPECT_EQ(campaign_object::next_level_name("a.map", campaign), "B");
    EXPECT_EQ(campaign_object::next_level_file("b.map", campaign), "c.map");
    EXPECT_EQ(campaign_object::next_level_file("c.map", campaign), "b.map");
    EXPECT_EQ(campaign_object::next_level_file("elsewhere.map", campaign), "");
    EXPECT_EQ(campaign_object::next_level_file("a.map", nullptr), "");
    EXPECT_EQ(campaign_object::next_level_name("B.map", campaign), "");
}

TEST_F(campaigns, a_thousand_missing_levels_or_a_bottomless_index_read_without_harm)
{
    std::string index = "<Campaigns><Campaign name=\"Ghosts\"><Levels>";
    for (int i = 0; i < 1000; ++i)
        index += "<Level filename=\"ghost_" + std::to_string(i) + ".map\"/>";
    auto list = read(index + "</Levels></Campaign></Campaigns>");
    ASSERT_EQ(list.size(), 1u);
    const auto levels = list[0]->get_levels();
    ASSERT_EQ(levels.size(), 1000u);
    EXPECT_EQ(levels[999]->get_file_name(), "ghost_999.map");
    EXPECT_EQ(levels[999]->get_name(), "");

    std::string deep = "<Campaigns>";
    for (int i = 0; i < 100000; ++i)
        deep += "<Campaign>";
    EXPECT_TRUE(read(deep).empty());
    EXPECT_TRUE(log.contains("campaigns.cmp: The elements are nested too deeply; the file is not loaded."));
}
