// The best run's replay file: a run read back plays the same bit for bit, a
// file that is damaged, newer or for another level is refused with one log
// line, and the ghost follows the recorded path smoothly.

#include "records/replay.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

replay_frame frame_at(float dt, float x, float y, float z)
{
    replay_frame f;
    f.dt = dt;
    f.x = x;
    f.y = y;
    f.z = z;
    return f;
}

replay two_frame_run()
{
    replay run;
    run.level_file = "level_01.map";
    run.level_hash = replay::hash_text("<Level/>");
    run.finish_time = 0.75;
    run.coins = 2;
    run.splits = {{"cp_1", 0.25}};
    run.frames = {frame_at(0.25f, 0, 0, 0), frame_at(0.5f, 10, -2, 4)};
    return run;
}

std::string bits(float value)
{
    unsigned char b[sizeof value];
    std::memcpy(b, &value, sizeof value);
    return std::string(b, b + sizeof value);
}

class replay_file : public ::testing::Test {
protected:
    replay_file()
    {
        folder = fs::temp_directory_path() / ("quillax_replay_" + std::to_string(getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~replay_file() override { fs::remove_all(folder); }

    fs::path write(const std::string& text)
    {
        const fs::path path = folder / replay::file_name_for("level_01.map");
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // The text with the first `from` replaced by `to`.
    static std::string changed(std::string text, const std::string& from, const std::string& to)
    {
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    }

    fs::path folder;
    log_capture log;
};

}

TEST_F(replay_file, a_run_reads_back_bit_for_bit_with_awkward_numbers_and_names)
{
    replay run;
    run.level_file = "my levels/..%20\xC3\xA4\n.map";
    run.level_hash = 0xfedcba9876543210ull;
    // Next to 0.1 is a double that needs all 17 digits; 0.100000024f needs all 9.
    run.finish_time = std::nextafter(0.1, 1.0);
    run.coins = 2147483647;
    run.splits = {{"cp with spaces", 1e-300}, {"", 0.1}, {"%41\t", 1.0 / 3.0}};
    const float awkward[] = {0.100000024f, 1.0f / 3.0f, 1e-7f, FLT_MIN, -0.0f, FLT_MAX, -123456.789f, 0.1f};
    for (float v : awkward)
        run.frames.push_back({v >= 0 && v <= 3600 ? v : 1.0f / 60.0f, 63, -1000000, 1000000, v, -v, 0.5f - v});
    // A pad's stick, leaning every way.
    run.frames.push_back({0.25f, 0, 0, 0, 1, 2, 3, 1.0f / 3.0f, -1.0f});
    run.frames.push_back({0.25f, 0, 0, 0, 1, 2, 3, -1e-7f, 0.0f});
    run.frames.push_back({0.25f, 0, 0, 0, 1, 2, 3, -0.0f, 0.0f});

    replay read;
    std::string error;
    ASSERT_TRUE(replay::parse(run.to_text(), read, error)) << error;
    EXPECT_EQ(read.level_file, run.level_file);
    EXPECT_EQ(read.level_hash, run.level_hash);
    EXPECT_EQ(read.finish_time, run.finish_time);
    EXPECT_EQ(read.coins, run.coins);
    ASSERT_EQ(read.splits.size(), run.splits.size());
    for (std::size_t i = 0; i < run.splits.size(); ++i) {
        EXPECT_EQ(read.splits[i].checkpoint, run.splits[i].checkpoint);
        EXPECT_EQ(read.splits[i].time, run.splits[i].time);
    }
    ASSERT_EQ(read.frames.size(), run.frames.size());
    for (std::size_t i = 0; i < run.frames.size(); ++i) {
        const replay_frame& a = run.frames[i];
        const replay_frame& b = read.frames[i];
        EXPECT_EQ(bits(b.dt), bits(a.dt)) << i;
        EXPECT_EQ(b.moves, a.moves);
        EXPECT_EQ(b.turn, a.turn);
        EXPECT_EQ(b.wheel, a.wheel);
        EXPECT_EQ(bits(b.x) + bits(b.y) + bits(b.z), bits(a.x) + bits(a.y) + bits(a.z)) << i;
        EXPECT_EQ(bits(b.roll_forward) + bits(b.roll_right), bits(a.roll_forward) + bits(a.roll_right)) << i;
    }
    // Without a stick the file is what the game wrote before it knew pads.
    EXPECT_EQ(run.to_text().rfind("quillax replay 2\n", 0), 0u);
    EXPECT_EQ(two_frame_run().to_text().rfind("quillax replay 1\n", 0), 0u);
}

TEST_F(replay_file, damaged_or_out_of_range_texts_are_refused_naming_the_line)
{
    const std::string good = two_frame_run().to_text();
    replay untouched;
    std::string error;
    ASSERT_TRUE(replay::parse(good, untouched, error)) << error;

    const struct {
        std::string text;
        std::string error_start;
    } cases[] = {
        {"", "line 1: not a replay file"},
        {changed(good, "quillax replay 1", "quillax replay x"), "line 1: not a replay file"},
        {changed(good, "quillax replay 1", "quillax replay 3"), "line 1: made by a newer version"},
        {changed(good, "hash ", "hash 0"), "line 3: the level hash"},
        {changed(good, "coins 2\n", ""), "line 5: expected \"coins\""},
        {changed(good, "coins 2", "coins -1"), "line 5: the coin count"},
        {changed(good, "time 0.75", "time -0.75"), "line 4: the finish time"},
        {changed(good, "time 0.75", "time nan"), "line 4: the finish time"},
        {changed(good, "cp_1 0.25", "cp_1 inf"), "line 6: the checkpoint time"},
        {changed(good, "level_01", "level%2"), "line 2: the level name"},
        {changed(good, "frames 2", "frames 3"), "line 10: frame 3 of 3 is missing"},
        {changed(good, "frames 2", "frames 1"), "line 9: more frames than the declared count"},
        {changed(good, "frames 2", "frames 2000001"), "line 7: the frame count"},
        {changed(good, "f 0.25", "f -0.25"), "line 8: the time step"},
        {changed(good, "f 0.25", "f 3601"), "line 8: the time step"},
        {changed(good, "f 0.25 0", "f 0.25 64"), "line 8: the held keys"},
        {changed(good, "f 0.25 0 0", "f 0.25 0 1000001"), "line 8: the mouse movement"},
        {changed(good, "f 0.25 0 0 0", "f 0.25 0 0 -1000001"), "line 8: the mouse movement"},
        {changed(good, "f 0.5 0 0 0 10", "f 0.5 0 0 0 1e39"), "line 9: the position"},
        {changed(good, "\nf 0.5 0 0 0 10 -2 4", "\nf 0.5 0 0 0 10 -2 4 1.5 0"), "line 9: the stick's tilt"},
        {changed(good, "\nf 0.5 0 0 0 10 -2 4", "\nf 0.5 0 0 0 10 -2 4 0"), "line 9: expected \"f\" and 7 values"},
        {changed(good, "f 0.5 0 0 0 10", "f 0.5 0 0 0 10x"), "line 9: the position"},
        {changed(good, "end\n", ""), "line 10: the file ends before \"end\""},
        {good + "f 0.5 0 0 0 1 2 3\n", "line 11: text after \"end\""},
        {good.substr(0, good.size() / 2), "line "},
    };
    for (const auto& c : cases) {
        replay read = untouched;
        error.clear();
        EXPECT_FALSE(replay::parse(c.text, read, error)) << c.text;
        EXPECT_EQ(error.substr(0, c.error_start.size()), c.error_start) << c.text;
        EXPECT_EQ(read.to_text(), good) << "a refused text left its mark";
    }

    std::string many;
    for (std::size_t i = 0; i <= replay::max_checkpoints; ++i)
        many += "checkpoint c 1\n";
    EXPECT_FALSE(replay::parse(changed(good, "checkpoint cp_1 0.25\n", many), untouched, error));
    EXPECT_EQ(error, "line 10006: more than 10000 checkpoints");
}

TEST_F(replay_file, loads_only_for_its_own_unchanged_level_and_says_why_not_in_one_line)
{
    const replay run = two_frame_run();
    const std::string good = run.to_text();
    const struct {
        std::string text;
        std::string level;
        std::uint64_t hash;
        std::string reason;
    } refused[] = {
        {good.substr(0, good.size() - 4), "level_01.map", run.level_hash, "line 10: the file ends before \"end\""},
        {good + "x\n", "level_01.map", run.level_hash, "line 11: text after \"end\""},
        {changed(good, "replay 1", "replay 3"), "level_01.map", run.level_hash,
         "line 1: made by a newer version of the game"},
        {good, "level_01.map", run.level_hash + 1, "the level file has changed since it was recorded"},
        {good, "level_02.map", run.level_hash, "it is for level level_01.map"},
    };
    for (const auto& c : refused) {
        log.lines.clear();
        const fs::path path = write(c.text);
        replay read;
        EXPECT_FALSE(replay::load_for_level(path, c.level, c.hash, read)) << c.reason;
        ASSERT_EQ(log.lines.size(), 1u) << c.reason;
        EXPECT_EQ(log.lines[0], "Replay " + path.string() + " is not played: " + c.reason);
    }

    log.lines.clear();
    replay read;
    EXPECT_FALSE(replay::load_for_level(folder / "none.replay", "level_01.map", run.level_hash, read));
    EXPECT_TRUE(log.lines.empty());
    ASSERT_TRUE(replay::load_for_level(write(good), "level_01.map", run.level_hash, read));
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(read.to_text(), good);
}

TEST_F(replay_file, the_ghost_is_interpolated_between_frames_and_held_at_both_ends)
{
    replay run = two_frame_run();
    float at[3] = {};
    EXPECT_FALSE(replay().position_at(0.0, at));

    // Frames end at 0.25 and 0.75: halfway between them is 0.5.
    ASSERT_TRUE(run.position_at(0.5, at));
    EXPECT_FLOAT_EQ(at[0], 5.0f);
    EXPECT_FLOAT_EQ(at[1], -1.0f);
    EXPECT_FLOAT_EQ(at[2], 2.0f);
    run.position_at(-1.0, at);
    EXPECT_EQ(at[0], 0.0f);
    run.position_at(0.7, at);
    EXPECT_FLOAT_EQ(at[0], 9.0f);
    run.position_at(100.0, at);
    EXPECT_EQ(at[0], 10.0f);

    // A frame recorded while the ghost runs extends the path.
    run.frames.push_back(frame_at(0.25f, 20, 0, 0));
    run.position_at(0.875, at);
    EXPECT_FLOAT_EQ(at[0], 15.0f);

    EXPECT_EQ(run.split_for("cp_1"), 0.25);
    EXPECT_LT(run.split_for("cp_2"), 0.0);
}

TEST_F(replay_file, file_names_stay_in_their_folder_and_hash_is_fnv1a)
{
    EXPECT_EQ(replay::file_name_for("level_01.map"), "level_01.map.replay");
    EXPECT_EQ(replay::file_name_for("../x"), "%2E.%2Fx.replay");
    EXPECT_EQ(replay::file_name_for("a b.map"), "a%20b.map.replay");
    EXPECT_EQ(replay::hash_text(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(replay::hash_text("a"), 0xaf63dc4c8601ec8cull);
}
