// A best run that cannot be played is set aside, not overwritten, when a
// finished run takes its place.

#include "records/best_runs.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

TEST(best_runs_file, a_broken_best_run_is_set_aside_before_a_new_one_is_kept)
{
    log_capture log;
    const fs::path folder = fs::temp_directory_path() / ("quillax_best_runs_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "replays");
    const fs::path kept = folder / "replays" / replay::file_name_for("gone.map");
    std::ofstream(kept) << "not a replay";

    replay run;
    run.level_file = "gone.map";
    run.finish_time = 12.5;
    run.frames.push_back({1.0f / 60.0f, 1, 0, 0, 0.0f, 5.0f, -1.0f});
    bool saved = false;
    best_runs(folder.string()).keep(run, medal::none, saved);

    EXPECT_TRUE(saved);
    int aside = 0;
    for (const auto& entry : fs::directory_iterator(folder / "replays"))
        if (entry.path().filename().string().find(".broken-") != std::string::npos) {
            ++aside;
            std::ifstream in(entry.path());
            std::string text;
            std::getline(in, text);
            EXPECT_EQ(text, "not a replay");
        }
    EXPECT_EQ(aside, 1);
    replay back;
    std::string error;
    std::ifstream in(kept);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(replay::parse(text, back, error)) << error;
    fs::remove_all(folder);
}
