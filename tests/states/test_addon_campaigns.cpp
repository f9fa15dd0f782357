// Levels a player adds: listed after the shipped campaigns, by their own
// indexes and loose in "My levels"; found by name after the shipped ones;
// never reached outside the add-on folder; hidden behind a shipped level of
// the same name, with a log line each.

#include "level/level_files.h"
#include "states/addon_campaigns.h"
#include "states/level_entry.h"
#include "support/level_fixture.h"

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

std::string level_named(const std::string& name)
{
    return "<Level name=\"" + name + "\"><Objects><Object type=\"start\" pos=\"0 0 0\"/></Objects></Level>";
}

class addon_levels : public level_fixture {
protected:
    addon_levels()
    {
        fs::create_directory("addons");
        level_files::set_addon_folder("addons");
        write_level("first.map", level_named("Shipped first"));
        add("first.map", level_named("Added first"));
        add("mine.map", level_named("Mine"));
        add("loose.map", level_named("Loose"));
        add("set.cmp", R"(<Campaigns><Campaign name="My set"><Levels>
            <Level filename="mine.map"/>
            <Level filename="../media/levels/first.map"/>
            <Level filename="/etc/hostname"/>
            <Level filename="first.map"/>
            </Levels></Campaign></Campaigns>)");
    }
    ~addon_levels() override { level_files::set_addon_folder(""); }

    static void add(const std::string& name, const std::string& text) { std::ofstream("addons/" + name) << text; }

    static std::vector<std::string> names(const campaign_object& campaign)
    {
        std::vector<std::string> out;
        for (const level_entry* entry : campaign.get_levels())
            out.push_back(entry->get_name());
        return out;
    }

    bool logged(const std::string& part) const
    {
        return std::count_if(log.lines.begin(), log.lines.end(),
                             [&](const std::string& line) { return line.find(part) != std::string::npos; }) == 1;
    }
};

}

TEST_F(addon_levels, indexes_then_loose_levels_are_listed_and_found_after_the_shipped_ones)
{
    const auto campaigns = addon_campaigns::read("addons");
    ASSERT_EQ(campaigns.size(), 2u);
    EXPECT_EQ(campaigns[0]->get_name(), "My set");
    EXPECT_EQ(names(*campaigns[0]), std::vector<std::string>{"Mine"});
    EXPECT_EQ(campaigns[1]->get_name(), "My levels");
    EXPECT_EQ(names(*campaigns[1]), std::vector<std::string>{"Loose"});

    EXPECT_EQ(level_files::path_of("first.map"), "media/levels/first.map");
    EXPECT_EQ(level_files::path_of("loose.map"), "addons/loose.map");
    EXPECT_EQ(level_files::path_of("none.map"), "media/levels/none.map");
    EXPECT_EQ(level_files::path_of("../addons/loose.map"), "media/levels/../addons/loose.map");
}

TEST_F(addon_levels, paths_out_of_the_folder_are_refused_and_a_shipped_name_hides_the_add_on)
{
    addon_campaigns::read("addons");
    EXPECT_TRUE(logged("addons/set.cmp:3: \"../media/levels/first.map\" refused"));
    EXPECT_TRUE(logged("addons/set.cmp:4: \"/etc/hostname\" refused"));
    EXPECT_TRUE(logged("addons/set.cmp:5: first.map is hidden: the game ships a level of the same name"));
    EXPECT_TRUE(logged("addons/first.map: first.map is hidden"));
    EXPECT_EQ(log.lines.size(), 4u);
}
