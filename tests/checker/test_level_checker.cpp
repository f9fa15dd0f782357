// The level checker as a level author meets it: each kind of mistake in a
// level file or the campaign index gives one `file:line` message at the
// element or attribute at fault, a good level gives none, the shipped levels
// pass, and what it calls unreadable is what the game cannot read.

#include "check_report.h"
#include "check_run.h"
#include "colour_names.h"
#include "level/level_values.h"
#include "media_folders.h"
#include "objects/colour_table.h"
#include "records/replay.h"
#include "support/log_capture.h"
#include "value_checks.h"

#include <gtest/gtest.h>
#include <tinyxml.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A level whose start and target stand on lines 5 and 6 and the first of
// `objects` on line 7; a `head` line goes on line 4 and moves them down.
std::string level_with(const std::string& objects, const std::string& head = "")
{
    return "<Level name=\"Test\" music=\"song.ogg\">\n"
           "  <Description>A test course.</Description>\n"
           "  <Settings gravity=\"0 -100 0\"/>\n" +
           (head.empty() ? "" : head + "\n") +
           "  <Objects>\n"
           "    <Object type=\"start\" pos=\"0 1 0\"/>\n"
           "    <Object type=\"target\" pos=\"0 1 -50\"/>\n" +
           objects + "\n  </Objects>\n</Level>\n";
}

// A temporary copy of the game's layout: a run folder with generated media
// and a source media folder holding the levels.
class level_checker_test : public ::testing::Test {
protected:
    level_checker_test()
    {
        static int count = 0;
        folder = fs::temp_directory_path() / ("quillax_checker_" + std::to_string(getpid()) + "_" +
                                              std::to_string(count++));
        fs::create_directories(folder / "media/levels");
        fs::create_directories(folder / "run/media/audio");
        fs::create_directories(folder / "run/media/meshes");
        fs::create_directories(folder / "run/media/previews");
        touch("run/media/audio/song.ogg");
    }
    ~level_checker_test() override { fs::remove_all(folder); }

    void touch(const std::string& path) { std::ofstream(folder / path) << "x"; }

    std::string write(const std::string& name, const std::string& text)
    {
        std::ofstream(folder / "media/levels" / name, std::ios::binary) << text;
        return (folder / "media/levels" / name).string();
    }

    std::vector<std::string> check(const std::string& path, bool with_root = true)
    {
        check_report report;
        check_run run(report, media_folders(with_root ? (folder / "run").string() : ""));
        run.check(path);
        return report.lines();
    }

    // Checks the level `text` and expects exactly one message, at `where`
    // ("line: error" or "line: warning") and containing `phrase`.
    void expect_one(const std::string& text, const std::string& where, const std::string& phrase)
    {
        const std::string path = write("test.map", text);
        const std::vector<std::string> lines = check(path);
        ASSERT_EQ(lines.size(), 1u) << testing::PrintToString(lines);
        EXPECT_EQ(lines[0].rfind(path + ":" + where + ": ", 0), 0u) << lines[0];
        EXPECT_NE(lines[0].find(phrase), std::string::npos) << lines[0];
    }

    fs::path folder;
};

const std::string good_objects =
    "    <Object type=\"block\" pos=\"0 0 0\" rot=\"0 45 0\" block_type=\"1\" mass=\"2.5\"/>\n"
    "    <Object type=\"block\" id=\"ramp\" mesh=\"ramp.mesh\" pos=\"0 0 -10\"/>\n"
    "    <Object type=\"block\" mesh=\"arch.mesh\" pos=\"0 0 -20\"/>\n"
    "    <Object type=\"platform\" speed=\"80\" platform_type=\"1\">\n"
    "      <Waypoint pos=\"0 0 -30\"/><Waypoint pos=\"20 0 -30\"/>\n"
    "    </Object>\n"
    "    <Object type=\"door\" colour=\"gr\xfcn\" open=\"1\" pos=\"0 0 -40\"/>\n"
    "    <Object type=\"switch\" colour=\"wei\xc3\x9f\" pressed=\"0\" pos=\"5 0 -40\"/>\n"
    "    <Object type=\"switch\" colour=\"2\" pos=\"5 0 -40\"/>\n"
    "    <Object type=\"teleporter\" id=\"away\" target_id=\"back\" pos=\"0 0 -60\"/>\n"
    "    <Object type=\"teleporter\" id=\"back\" target_pos=\"0 5 0\" pos=\"0 0 -70\"/>\n"
    "    <Object type=\"score\" score_type=\"1\" rot_speed=\"3\" pos=\"0 0 -80\"/>\n"
    "    <Object type=\"checkpoint\" pos=\"0 0 -90\"/>\n"
    "    <Object type=\"block\" scale=\"2 0.5 20\" pos=\"0 0 -100\"/>\n"
    "    <Object type=\"infobox\" pos=\"0 0 -5\">Roll on.</Object>";

TEST_F(level_checker_test, a_level_using_every_kind_of_object_correctly_passes)
{
    touch("run/media/meshes/ramp.mesh");
    fs::create_directories(folder / "media/meshes");
    touch("media/meshes/arch.mesh");
    const std::string lights = "  <Fog start=\"10\" end=\"100\" colour=\"0.5 0.5 0.5\"/>\n"
                               "  <Lights><Light type=\"spot\" pos=\"0 50 0\" dir=\"0 -1 0\" in_ang=\"20\"/></Lights>";
    EXPECT_EQ(check(write("good.map", level_with(good_objects, lights))), std::vector<std::string>{});
}

TEST_F(level_checker_test, files_the_game_cannot_load_are_reported_where_the_xml_fails)
{
    expect_one("<Level>\n  <Objects>\n    <Object type=\"start\">\n  </Objects>\n</Level>\n", "4: error",
               "not well-formed XML (Error reading end tag.)");
    expect_one("<?xml version=\"1.0\"?>\n<level>\n</level>\n", "2: error", "no <Level> element");
    std::string deep = "<Level>";
    for (int i = 0; i < 300; ++i)
        deep += "<Objects>";
    expect_one(deep, "1: error", "elements nest more than 8 deep here; a level needs 4 (Level, Objects, Object, "
                                 "Waypoint), so the game refuses the level");
    const std::string missing = (folder / "media/levels/nowhere.map").string();
    EXPECT_EQ(check(missing), std::vector<std::string>{missing + ":1: error: cannot open the file, so the game "
                                                                 "cannot load this level; check the path"});
}

TEST_F(level_checker_test, a_level_needs_a_start_and_a_target)
{
    const std::string path = write("empty.map", "<Level name=\"x\">\n<Description>d</Description>\n"
                                                "<Settings gravity=\"0 -1 0\"/>\n<Objects>\n</Objects>\n</Level>\n");
    const std::vector<std::string> lines = check(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find(":4: error: the level has no object of type \"start\""), std::string::npos);
    EXPECT_NE(lines[1].find(":4: error: the level has no object of type \"target\""), std::string::npos);
}

TEST_F(level_checker_test, object_types_are_exact_and_case_sensitive)
{
    expect_one(level_with("    <Object type=\"Block\"/>"), "7: error",
               "unknown object type \"Block\" (types are lower case");
    expect_one(level_with("    <Object type=\"lamp\"/>"), "7: error", "unknown object type \"lamp\"");
    expect_one(level_with("    <Object pos=\"0 0 0\"/>"), "7: error", "<Object> has no type");
}

TEST_F(level_checker_test, taken_and_reserved_ids_are_reported_at_the_object_the_game_skips)
{
    expect_one(level_with("    <Object type=\"block\" id=\"a\"/>\n    <Object type=\"score\" id=\"a\"/>"), "8: error",
               "the id \"a\" is already taken by the object on line 7");
    expect_one(level_with("    <Object type=\"block\" id=\"ground\"/>"), "7: error", "reserved for the ground");
    expect_one(level_with("    <Object type=\"block\" id=\"player\"/>"), "7: error", "reserved for the ball");
    expect_one(level_with("    <Object type=\"checkpoint\" id=\"start\"/>"), "7: error", "reserved for the start");
    expect_one(level_with("    <Object type=\"start\" pos=\"9 9 9\"/>"), "7: error",
               "a second start object (the first is the object on line 5)");
}

TEST_F(level_checker_test, ids_clash_with_the_names_the_game_generates_after_lights_and_open_doors)
{
    // One light takes obj_00000000; the door takes obj_00000001 and its open
    // body obj_00000002, so the next object without id is obj_00000003.
    const std::string light = "  <Lights><Light/></Lights>";
    expect_one(level_with("    <Object type=\"door\" colour=\"red\"/>\n"
                          "    <Object type=\"block\" id=\"obj_00000002\"/>\n"
                          "    <Object type=\"block\" id=\"obj_00000001\"/>",
                          light),
               "10: error", "taken by the object on line 8 (the game's name for it");
    expect_one(level_with("    <Object type=\"block\" id=\"obj_00000003\"/>\n"
                          "    <Object type=\"door\" colour=\"red\"/>\n"
                          "    <Object type=\"block\"/>",
                          light),
               "10: error", "this object has no id, so the game names it \"obj_00000003\", but the object on line 8");
}

TEST_F(level_checker_test, platforms_need_a_usable_waypoint)
{
    expect_one(level_with("    <Object type=\"platform\"/>"), "7: error", "no usable <Waypoint");
    expect_one(level_with("    <Object type=\"platform\">\n      <Waypoint pos=\"0 0 0\"/>\n    </Object>"),
               "7: warning", "single waypoint, so it never moves");

    const std::string path =
        write("ways.map", level_with("    <Object type=\"platform\">\n      <Waypoint/>\n"
                                     "      <Waypoint pos=\"1,2,3\"/>\n    </Object>"));
    const std::vector<std::string> lines = check(path);
    ASSERT_EQ(lines.size(), 3u) << testing::PrintToString(lines);
    EXPECT_NE(lines[0].find(":7: error: the platform has no usable"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find(":8: error: <Waypoint> has no pos"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find(":9: error: pos=\"1,2,3\" cannot be read"), std::string::npos) << lines[2];
}

TEST_F(level_checker_test, doors_and_switches_need_a_colour_the_game_knows)
{
    expect_one(level_with("    <Object type=\"door\"/>"), "7: error", "the door has no colour");
    expect_one(level_with("    <Object type=\"switch\" colour=\"purple\"/>"), "7: error", "unknown colour \"purple\"");
    expect_one(level_with("    <Object type=\"door\" colour=\"Red\"/>"), "7: error", "unknown colour \"Red\"");
}

TEST_F(level_checker_test, teleporters_must_lead_somewhere)
{
    expect_one(level_with("    <Object type=\"teleporter\" target_id=\"nowhere\"/>"), "7: error",
               "target_id \"nowhere\" names no object");
    expect_one(level_with("    <Object type=\"teleporter\"/>"), "7: error", "neither target_pos nor target_id");
}

TEST_F(level_checker_test, a_level_beyond_a_limit_is_an_error_at_its_line_and_the_rest_is_still_checked)
{
    const std::string path = write("far.map", level_with("    <Object type=\"block\" pos=\"0 2e6 0\"/>\n"
                                                         "    <Object type=\"Block\"/>"));
    const std::vector<std::string> lines = check(path);
    ASSERT_EQ(lines.size(), 2u) << testing::PrintToString(lines);
    EXPECT_EQ(lines[0], path + ":7: error: pos=\"0 2e6 0\" lies beyond 100000 from the origin, outside the world a "
                               "level may fill, so the game refuses the level");
    EXPECT_EQ(lines[1].rfind(path + ":8: error: unknown object type \"Block\"", 0), 0u) << lines[1];
    // Refused before it is parsed, the file has nothing else to check.
    std::string crowded = "    <Object type=\"block\"";
    for (int i = 0; i < 32; ++i)
        crowded += " a" + std::to_string(i) + "=\"\"";
    expect_one(level_with(crowded + "/>\n    <Object type=\"Block\"/>"), "7: error",
               "this element has more than 32 attributes, so the game refuses the level");
}

TEST_F(level_checker_test, a_respawn_point_more_than_30_below_a_block_is_a_warning_at_the_point)
{
    // The start puts the ball back 5 above its pos, a checkpoint 10 above.
    expect_one(level_with("    <Object type=\"block\" pos=\"0 37 -10\"/>"), "5: warning",
               "more than 30 below the object on line 7");
    EXPECT_TRUE(check(write("level.map", level_with("    <Object type=\"block\" pos=\"0 36 -10\"/>"))).empty());

    const std::string path = write("checkpoint.map", level_with("    <Object type=\"block\" pos=\"0 -1 -10\"/>\n"
                                                                "    <Object type=\"block\" pos=\"0 46 -20\"/>\n"
                                                                "    <Object type=\"checkpoint\" pos=\"0 5 -30\"/>"));
    const std::vector<std::string> lines = check(path);
    ASSERT_EQ(lines.size(), 2u) << testing::PrintToString(lines);
    EXPECT_EQ(lines[0].rfind(path + ":5: warning: the ball is put back here at height 6, more than 30 below the "
                                    "object on line 8 (height 46)",
                             0),
              0u)
        << lines[0];
    EXPECT_EQ(lines[1].rfind(path + ":9: warning: the ball is put back here at height 15,", 0), 0u) << lines[1];
}

TEST_F(level_checker_test, named_media_must_exist_in_the_run_folder_or_the_source_media)
{
    expect_one(level_with("    <Object type=\"block\" mesh=\"bridge.mesh\"/>"), "7: error",
               "mesh=\"bridge.mesh\" names no file in meshes or the top of " + (folder / "run/media").string());
    expect_one(level_with("    <Object type=\"door\" colour=\"r\" open_mesh=\"gate.mesh\"/>"), "7: error",
               "open_mesh=\"gate.mesh\" names no file");
    fs::remove(folder / "run/media/audio/song.ogg");
    expect_one(level_with(""), "1: error", "music=\"song.ogg\" names no file in audio of");

    // Without the run folder generated media cannot be confirmed: a warning only.
    const std::vector<std::string> lines = check(write("test.map", level_with("")), false);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(":1: warning: music=\"song.ogg\""), std::string::npos) << lines[0];
}

TEST_F(level_checker_test, values_the_game_cannot_read_are_errors_and_values_it_reads_in_part_warnings)
{
    expect_one(level_with("    <Object type=\"block\" pos=\"1,2,3\"/>"), "7: error", "pos=\"1,2,3\" cannot be read");
    expect_one(level_with("    <Object type=\"block\" mass=\"nan\"/>"), "7: error", "not a finite number");
    expect_one(level_with("    <Object type=\"score\" rot_speed=\"1e39\"/>"), "7: error", "not a finite number");
    expect_one(level_with("    <Object type=\"block\" block_type=\"x\"/>"), "7: error", "not a whole number");
    expect_one(level_with("", "  <Fog colour=\"1 0 0 0 1\"/>"), "4: error", "a colour needs three or four numbers");
    expect_one(level_with("    <Object type=\"platform\" speed=\"1,5\"><Waypoint pos=\"0 0 0\"/>"
                          "<Waypoint pos=\"1 0 0\"/></Object>"),
               "7: warning", "only \"1\" of \"1,5\" is read");
    expect_one(level_with("    <Object type=\"block\" block_type=\"1.5\"/>"), "7: warning", "only \"1\"");
    expect_one(level_with("", "  <Lights><Light dif=\"2 0 0\"/></Lights>"), "4: warning",
               "colour parts lie from 0 to 1");
    expect_one(level_with("    <Object type=\"block\" rot=\"0 2e6 0\"/>"), "7: error", "2e6 lies beyond 1000000");
    expect_one(level_with("    <Object type=\"block\" density=\"-1\"/>"), "7: error", "density is negative");
    for (const char* scale : {"0 1 1", "1 1", "1 1 21", "a b c", "1 1 1 1"})
        expect_one(level_with(std::string("    <Object type=\"block\" scale=\"") + scale + "\"/>"), "7: error",
                   "must be three numbers from 0.1 to 20");
}

TEST_F(level_checker_test, a_campaign_index_is_checked_entry_by_entry_and_so_are_its_levels)
{
    write("one.map", level_with(""));
    write("three.map", level_with("    <Object type=\"lamp\"/>"));
    touch("run/media/previews/one_pre.png");
    const std::string path = write("campaigns.cmp", "<Campaigns>\n"
                                                    "  <Campaign name=\"A\" ground=\"lava\">\n"
                                                    "    <Levels>\n"
                                                    "      <Level filename=\"one.map\" preview_file=\"one_pre.png\"/>\n"
                                                    "      <Level preview_file=\"one_pre.png\"/>\n"
                                                    "      <Level filename=\"two.map\"/>\n"
                                                    "      <Level filename=\"three.map\" preview_file=\"no_pre.png\"/>\n"
                                                    "    </Levels>\n"
                                                    "  </Campaign>\n"
                                                    "</Campaigns>\n");
    const std::vector<std::string> lines = check(path);
    ASSERT_EQ(lines.size(), 5u) << testing::PrintToString(lines);
    EXPECT_EQ(lines[0].rfind(path + ":2: warning: \"lava\" is not a ground the game knows", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind(path + ":5: error: <Level> has no filename", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind(path + ":6: error: level file \"two.map\" is not in", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3].rfind(path + ":7: error: preview_file=\"no_pre.png\" names no file in previews", 0), 0u)
        << lines[3];
    EXPECT_NE(lines[4].find("three.map:7: error: unknown object type \"lamp\""), std::string::npos) << lines[4];
}

TEST_F(level_checker_test, a_campaign_index_the_level_selection_cannot_use_is_one_error)
{
    for (const auto& [text, where] : std::vector<std::pair<std::string, std::string>>{
             {"<Campaigns>\n  <Campaign name=\"A\">\n</Campaigns>\n", ":3: error: not well-formed XML"},
             {"<Campaign name=\"A\"/>\n", ":1: error: no <Campaigns> element"},
             {"<Campaigns>\n</Campaigns>\n", ":1: error: <Campaigns> holds no <Campaign>"}}) {
        const std::string path = write("campaigns.cmp", text);
        const std::vector<std::string> lines = check(path);
        ASSERT_EQ(lines.size(), 1u) << testing::PrintToString(lines);
        EXPECT_EQ(lines[0].rfind(path + where, 0), 0u) << lines[0];
    }
}

TEST_F(level_checker_test, a_player_s_index_names_its_levels_alone_and_not_as_the_game_s_own)
{
    fs::create_directories(folder / "addons");
    fs::create_directories(folder / "run/media/levels");
    touch("run/media/levels/taken.map");
    write("outside.map", level_with(""));
    std::ofstream(folder / "addons/taken.map") << level_with("");
    const fs::path index = folder / "addons/mine.cmp";
    std::ofstream(index) << "<Campaigns>\n  <Campaign name=\"Mine\">\n    <Levels>\n"
                            "      <Level filename=\"../media/levels/outside.map\"/>\n"
                            "      <Level filename=\"taken.map\"/>\n"
                            "    </Levels>\n  </Campaign>\n</Campaigns>\n";
    const std::vector<std::string> lines = check(index.string());
    ASSERT_EQ(lines.size(), 2u) << testing::PrintToString(lines);
    EXPECT_EQ(lines[0].rfind(index.string() + ":4: error: \"../media/levels/outside.map\" has a folder in it", 0), 0u)
        << lines[0];
    EXPECT_EQ(lines[1].rfind(index.string() + ":5: warning: the game ships a level called \"taken.map\"", 0), 0u)
        << lines[1];
}

// An index of `entries` (<Level> elements), one a line from line 4 on.
std::string index_of(const std::vector<std::string>& entries)
{
    std::string text = "<Campaigns>\n  <Campaign name=\"A\">\n    <Levels>\n";
    for (const std::string& entry : entries)
        text += "      " + entry + "\n";
    return text + "    </Levels>\n  </Campaign>\n</Campaigns>\n";
}

TEST_F(level_checker_test, medal_times_are_all_three_or_none_in_seconds_and_rising)
{
    for (const char* name : {"one.map", "two.map", "three.map", "four.map"})
        write(name, level_with(""));
    const std::string path = write("campaigns.cmp", index_of({
        "<Level filename=\"one.map\" gold=\"10\" silver=\"15.25\" bronze=\"25.0\"/>",
        "<Level filename=\"two.map\" gold=\"10\"/>",
        "<Level filename=\"three.map\" gold=\"10\" silver=\"1,5\" bronze=\"25\"/>",
        "<Level filename=\"four.map\" gold=\"20\" silver=\"15\" bronze=\"25\"/>"}));
    const std::vector<std::string> lines = check(path);
    ASSERT_EQ(lines.size(), 3u) << testing::PrintToString(lines);
    EXPECT_EQ(lines[0].rfind(path + ":5: error: <Level> gives gold but not silver and bronze, so the game shows no "
                                    "medals for this level", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind(path + ":6: error: silver=\"1,5\" is not a time in seconds", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind(path + ":7: error: the medal times do not rise", 0), 0u) << lines[2];
}

// media/runs/ beside media/levels/ holds the levels' author runs.
TEST_F(level_checker_test, medal_times_are_those_the_level_s_author_run_sets)
{
    fs::create_directories(folder / "media/runs");
    const auto make_run = [&](const std::string& level_file, const std::string& level_text) {
        replay run;
        run.level_file = level_file;
        run.level_hash = replay::hash_text(level_text);
        run.finish_time = 12.34; // gold 12.4, silver 18.6, bronze 49.8
        std::ofstream(folder / "media/runs" / replay::file_name_for(level_file)) << run.to_text();
    };
    for (const char* name : {"right.map", "wrong.map", "none.map", "changed.map"}) {
        write(name, level_with(""));
        make_run(name, level_with(""));
    }
    write("changed.map", level_with("    <Object type=\"block\"/>"));
    write("broken.map", level_with(""));
    std::ofstream(folder / "media/runs/broken.map.replay") << "quillax replay 1\nlevel broken.map\n";
    const std::string path = write("campaigns.cmp", index_of({
        "<Level filename=\"right.map\" gold=\"12.4\" silver=\"18.6\" bronze=\"49.8\"/>",
        "<Level filename=\"wrong.map\" gold=\"12.3\" silver=\"18.6\" bronze=\"49.8\"/>",
        "<Level filename=\"none.map\"/>",
        "<Level filename=\"changed.map\" gold=\"12.4\" silver=\"18.6\" bronze=\"49.8\"/>",
        "<Level filename=\"broken.map\"/>"}));
    const std::vector<std::string> lines = check(path);
    ASSERT_EQ(lines.size(), 4u) << testing::PrintToString(lines);
    const std::string runs = (folder / "media/runs/").string();
    EXPECT_EQ(lines[0].rfind(path + ":5: error: gold=\"12.3\" silver=\"18.6\" bronze=\"49.8\" are not the times the "
                                    "author run " + runs + "wrong.map.replay sets, gold=\"12.4\"", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind(path + ":6: warning: the level has an author run but no medal times; add gold=\"12.4\" "
                                    "silver=\"18.6\" bronze=\"49.8\"", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind(path + ":7: error: the author run " + runs + "changed.map.replay was made on another "
                                    "version of changed.map", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3].rfind(path + ":8: error: the author run " + runs + "broken.map.replay cannot be read (line 3", 0), 0u)
        << lines[3];
    for (const std::string& line : lines)
        EXPECT_TRUE(line.find(": error: ") == std::string::npos ||
                    line.find("scripts/make-author-runs.sh") != std::string::npos)
            << line;
}

// The committed levels, with the media the build generated into its run folder.
TEST(level_checker_on_shipped_levels, level_01_and_level_12_pass)
{
    const fs::path levels = fs::path(QUILLAX_MATERIALS_DIR).parent_path() / "levels";
    const fs::path run = fs::path(QUILLAX_MUSIC_DIR).parent_path().parent_path();
    for (const char* name : {"level_01.map", "level_12.map"}) {
        check_report report;
        check_run(report, media_folders(run.string())).check((levels / name).string());
        EXPECT_TRUE(report.lines().empty()) << testing::PrintToString(report.lines());
    }
}

// What the checker rejects, the game replaces by a default. Every sample
// reads as non-zero when readable, so a zero from the game is its fallback.
TEST(level_checker_agrees_with_the_game, on_which_values_are_readable)
{
    using verdict = value_checks::verdict;
    log_capture refusals; // keeps the game's log lines about refused values out of the test output
    for (const char* text : {"1 2 3", " 1\t2\n3 ", "1 2 3x", "0x10 1 1", "1,2,3", "1 2", "1 2 3 4", "nan 1 1",
                             "1e39 1 1", "a 1 1", "1 -2e6 1"})
        EXPECT_EQ(value_checks::vector(text).kind == verdict::rejected, parse_vector(text) == Ogre::Vector3::ZERO)
            << text;
    const Ogre::ColourValue fallback(0.25f, 0.25f, 0.25f, 0.25f);
    for (const char* text : {"1 0 0", "1 0 0 0.5", "1 0 0x", "1 0", "1 0 0 0 0", "x 0 0", "1 0 0 inf"})
        EXPECT_EQ(value_checks::colour(text).kind == verdict::rejected, parse_colour(text, fallback) == fallback)
            << text;
    for (const char* text : {"2.5", "-0.5", " 3", "1.5abc", "1,5", "abc", "", "inf", "nan", "1e39"}) {
        const bool rejected = value_checks::real(text).kind == verdict::rejected;
        EXPECT_EQ(rejected, parse_real(text) == 0.0f) << text;
        // Reals of objects and lights are read by TinyXML; the game drops non-finite ones.
        TiXmlElement element("Object");
        element.SetAttribute("speed", text);
        float speed = 0.0f;
        const bool read = element.QueryFloatAttribute("speed", &speed) == TIXML_SUCCESS && std::isfinite(speed);
        EXPECT_EQ(rejected, !read) << text;
    }
    for (const char* text : {"3", "-2", " 4", "1.5", "7x", "x", "", "+"}) {
        TiXmlElement element("Object");
        element.SetAttribute("block_type", text);
        int value = 0;
        EXPECT_EQ(value_checks::integer(text).kind == verdict::rejected,
                  element.QueryIntAttribute("block_type", &value) != TIXML_SUCCESS)
            << text;
    }
}

TEST(level_checker_agrees_with_the_game, on_the_colour_names_of_doors_and_switches)
{
    const char* names[] = {"red", "rot", "r", "1", "blue", "blau", "b", "2", "green", "gr\xfcn", "gr\xc3\xbcn",
                           "gruen", "g", "3", "white", "wei\xdf", "wei\xc3\x9f", "weiss", "w", "4",
                           "Red", "RED", "0", "5", "", "red ", "grun", "purple"};
    for (const char* name : names) {
        const std::string material = colour_from_name(name).bars_material;
        EXPECT_EQ(colour_names::is_known(name), material.find("_bars") != std::string::npos) << name;
    }
}

}
