// Runs the game recorded verify in the server's verifier: the shipped
// author runs (made by the game's code playing each level) and the
// playthrough routes' recorded runs, played in this process exactly as the
// server's workers play them. A build whose floating point differed from
// the game's would refuse them here.

#include "replay_verifier.h"

#include "server_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(game_runs, every_shipped_author_run_and_recorded_playthrough_verifies)
{
    level_catalog levels;
    ASSERT_GT(levels.add_folder(server_fixture::shipped_media() / "levels"), 0u);
    std::vector<fs::path> runs;
    for (const fs::path& folder : {server_fixture::shipped_media() / "runs", fs::path(QUILLAX_ROUTES_DIR)})
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".replay")
                runs.push_back(entry.path());
    ASSERT_FALSE(runs.empty());
    replay_verifier verifier;
    for (const fs::path& path : runs) {
        const std::string text = server_fixture::read_text(path);
        replay run;
        std::string error;
        ASSERT_TRUE(replay::parse(text, run, error)) << path << ": " << error;
        const level_catalog::known_level* level = levels.find(run.level_hash);
        ASSERT_NE(level, nullptr) << path << " was recorded on a level that is not shipped";
        const run_verdict verdict = verifier.verify(level->file, level->text, text);
        EXPECT_TRUE(verdict.accepted()) << path << ": " << verdict.reason << ": " << verdict.message;
        EXPECT_EQ(verdict.time, run.finish_time) << path;
    }
}
