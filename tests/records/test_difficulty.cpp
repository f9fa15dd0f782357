// A level's difficulty from its gold run: the numbers taken from the run,
// and the marks the rule gives them.

#include "records/difficulty.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

replay_frame at(float x, float z)
{
    replay_frame f;
    f.dt = 1.0f / 60.0f;
    f.x = x;
    f.y = 5.0f;
    f.z = z;
    return f;
}

}

TEST(difficulty, the_path_counts_what_the_ball_rolled_and_leaves_a_teleport_out)
{
    replay run;
    run.finish_time = 12.5;
    // 3 units, then 4 at a right angle, then a teleport 500 away, then 5.
    run.frames = {at(0, 0), at(3, 0), at(3, 4), at(503, 4), at(503, 9)};
    const difficulty::numbers n = difficulty::of(run, 2);
    EXPECT_DOUBLE_EQ(n.time, 12.5);
    EXPECT_DOUBLE_EQ(n.length, 12.0);
    EXPECT_EQ(n.checkpoints, 2);
}

TEST(difficulty, counts_the_checkpoints_a_level_holds)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "quillax_difficulty_checkpoints.map";
    std::ofstream(file) << R"(<Level><Objects><Object type="start" pos="0 0 0"/>
        <Object type="checkpoint" pos="0 0 -50"/><!-- <Object type="checkpoint"/> -->
        <Object type="block" pos="0 0 0"/><Object type="checkpoint" pos="0 0 -90"/></Objects></Level>)";
    EXPECT_EQ(difficulty::checkpoints_in(file.string()), 2);
    std::filesystem::remove(file);
    EXPECT_EQ(difficulty::checkpoints_in(file.string()), 0) << "a missing file";
}

TEST(difficulty, marks_rise_with_the_gold_time_and_with_long_stretches_between_checkpoints)
{
    EXPECT_EQ(difficulty::marks({5.0, 150.0, 0}), 1);
    EXPECT_EQ(difficulty::marks({10.0, 150.0, 0}), 2);
    EXPECT_EQ(difficulty::marks({25.0, 150.0, 0}), 3);
    EXPECT_EQ(difficulty::marks({45.0, 150.0, 0}), 4);
    // 590 units in three stretches (two checkpoints) is under 200 a stretch: short enough.
    EXPECT_EQ(difficulty::marks({45.0, 590.0, 2}), 4);
    EXPECT_EQ(difficulty::marks({45.0, 600.0, 2}), 5);
    EXPECT_EQ(difficulty::marks({5.0, 200.0, 0}), 2) << "a short level with no checkpoint to fall back to";
    EXPECT_EQ(difficulty::marks({500.0, 5000.0, 0}), 5) << "more than five marks";
}
