// A replay names the physics version that recorded it, and a replay of
// version 1 reads and writes exactly as replays did before the line came.

#include "server_fixture.h"

TEST(physics_version, a_version_1_replay_has_no_physics_line_and_another_version_keeps_its_own)
{
    replay run = server_fixture::author_run("level_01.map");
    const std::string shipped = server_fixture::read_text(server_fixture::shipped_media() / "runs/level_01.map.replay");
    EXPECT_EQ(run.physics, 1);
    EXPECT_EQ(run.to_text(), shipped);

    run.physics = 7;
    const std::string text = run.to_text();
    EXPECT_EQ(text.rfind("quillax replay 1\nphysics 7\nlevel level_01.map\n", 0), 0u);
    replay again;
    std::string error;
    ASSERT_TRUE(replay::parse(text, again, error)) << error;
    EXPECT_EQ(again.physics, 7);
    EXPECT_EQ(again.to_text(), text);

    for (const std::string bad : {"physics 0", "physics x", "physics", "physics 1 2"}) {
        std::string broken = text;
        broken.replace(broken.find("physics 7"), 9, bad);
        EXPECT_FALSE(replay::parse(broken, again, error)) << bad;
        EXPECT_EQ(error.rfind("line 2: ", 0), 0u) << error;
    }
}
