// The saved progress: what the file keeps of each run, what a broken file or
// an unwritable folder does to it, and two games sharing one file.

#include "app/safe_file.h"
#include "records/progress_store.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using level_map = std::map<std::string, level_record>;

std::string read_text(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

level_map parsed(const std::string& text)
{
    level_map levels;
    std::string error;
    EXPECT_TRUE(progress_store::parse(text, levels, error)) << error;
    return levels;
}

class progress : public ::testing::Test {
protected:
    progress()
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~progress() override
    {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    std::vector<fs::path> set_aside_files() const
    {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(file.parent_path()))
            if (entry.path().filename().string().rfind("progress.broken-", 0) == 0)
                found.push_back(entry.path());
        return found;
    }

    const fs::path folder = fs::temp_directory_path() /
                            ("quillax_progress_" + std::to_string(getpid()) + "_" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    const fs::path file = folder / "progress" / "progress";
    log_capture log;
};

}

TEST_F(progress, the_file_gives_back_every_level_exactly)
{
    const std::string text = "quillax progress 1\n"
                             "\n"
                             "[level 2 ünd more.map]\n"
                             "finished = yes\n"
                             "most_coins = 0\n"
                             "most_coins_date = 2027-01-31\n"
                             "\n"
                             "[level_01.map]\n"
                             "finished = yes\n"
                             "best_time = 42.517\n"
                             "best_time_date = 2026-12-08\n"
                             "most_coins = 7\n"
                             "most_coins_date = 2026-12-08\n"
                             "best_medal = silver\n";
    const level_map levels = parsed(text);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels.at("level_01.map").best_medal, medal::silver);
    EXPECT_EQ(levels.at("level 2 ünd more.map").best_medal, medal::none);
    EXPECT_EQ(levels.at("level_01.map").best_time_ms, 42517);
    EXPECT_EQ(levels.at("level 2 ünd more.map").best_time_ms, -1);
    EXPECT_EQ(progress_store::format(levels), text);

    // Hand edits: comments, Windows line ends, spaces, short decimals, keys of a later version.
    const level_map edited = parsed("# mine\r\n  quillax progress 1\r\n[a]\r\nbest_time=0.5\r\n  # old: 9\r\n"
                                    "finished = no\r\nghost_replay = a b c\r\n");
    EXPECT_EQ(edited.at("a").best_time_ms, 500);
    EXPECT_FALSE(edited.at("a").finished);
    EXPECT_EQ(parsed(progress_store::format(edited)), edited);
}

TEST_F(progress, a_damaged_file_is_refused_with_the_line_at_fault)
{
    const std::string head = "quillax progress 1\n[a]\n";
    const std::pair<std::string, std::string> broken[] = {
        {"", "not a progress file"},
        {"\x89PNG\r\n\x1a\n", "not a progress file"},
        {"quillax progress 2\n[a]\nfinished = yes\n", "made by a newer version"},
        {"quillax progress 1\nfinished = yes\n", "line 2: "},
        {head + "best_time = -3\n", "line 3: best_time"},
        {head + "best_time = 10000000.001\n", "line 3: best_time"},
        {head + "best_time = 1.2345\n", "line 3: best_time"},
        {head + "most_coins = 1000001\n", "line 3: most_coins"},
        {head + "most_coins = 99999999999999999999999\n", "line 3: most_coins"},
        {head + "most_coins = 7 coins\n", "line 3: most_coins"},
        {head + "finished = yes\nbest_time_date = 8.12.2026\n", "line 4: best_time_date"},
        {head + "finished yes\n", "line 3: "},
        {head + "\n[a]\n", "line 4: [a] is there twice"},
        {head + "[level_0", "line 3: "},
        {head + "[a]b]\n", "line 3: "},
        {head + "best_medal = platinum\n", "line 3: best_medal"},
        {head + "furthest_level = 100001\n", "line 3: furthest_level"},
    };
    for (const auto& [text, error_start] : broken) {
        level_map levels{{"kept", level_record{}}};
        std::string error;
        EXPECT_FALSE(progress_store::parse(text, levels, error)) << text;
        EXPECT_EQ(error.rfind(error_start, 0), 0u) << text << " gave: " << error;
        EXPECT_EQ(levels.size(), 1u) << text;
    }
}

TEST_F(progress, a_better_time_or_more_coins_replace_the_old_each_with_its_own_date)
{
    progress_store store(file);
    store.load();
    EXPECT_EQ(store.find("level_01.map"), nullptr);

    auto result = store.record_finish("level_01.map", 40.0004, 5, "2026-01-01");
    EXPECT_TRUE(result.first_finish && result.new_best_time && result.new_most_coins);
    result = store.record_finish("level_01.map", 45, 7, "2026-01-02");
    EXPECT_FALSE(result.first_finish || result.new_best_time);
    EXPECT_TRUE(result.new_most_coins);
    result = store.record_finish("level_01.map", 38.5, 7, "2026-01-03");
    EXPECT_TRUE(result.new_best_time);
    EXPECT_FALSE(result.new_most_coins);
    result = store.record_finish("level_01.map", 38.5, 6, "2026-01-04");
    EXPECT_FALSE(result.new_best_time || result.new_most_coins);
    // A medal is kept once earned, even if the level's times change later.
    EXPECT_TRUE(store.record_finish("level_01.map", 39, 1, "2026-01-05", medal::silver).new_medal);
    EXPECT_FALSE(store.record_finish("level_01.map", 39, 1, "2026-01-05", medal::bronze).new_medal);

    progress_store later(file);
    later.load();
    const level_record* level = later.find("level_01.map");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(*level, (level_record{true, 38500, "2026-01-03", 7, "2026-01-02", medal::silver}));
    EXPECT_TRUE(log.lines.empty());
    // Only the file and its lock: no new file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 2);
}

TEST_F(progress, a_challenge_keeps_its_best_finished_time_most_coins_and_furthest_level)
{
    progress_store store(file);
    store.load();
    EXPECT_EQ(store.find_challenge("First Steps"), nullptr);
    // Ended at level 3: no time counts, how far it got does.
    auto result = store.record_challenge("First Steps", false, 100, 40, 3, "2026-01-01");
    EXPECT_FALSE(result.first_finish || result.new_best_time);
    EXPECT_TRUE(result.new_most_coins);
    result = store.record_challenge("First Steps", true, 600.5, 20, 8, "2026-01-02");
    EXPECT_TRUE(result.first_finish && result.new_best_time);
    EXPECT_FALSE(result.new_most_coins);
    store.record_challenge("First Steps", false, 30, 1, 2, "2026-01-03");

    progress_store later(file);
    later.load();
    const level_record* challenge = later.find_challenge("First Steps");
    ASSERT_NE(challenge, nullptr);
    level_record expected{true, 600500, "2026-01-02", 40, "2026-01-01"};
    expected.furthest_level = 8;
    EXPECT_EQ(*challenge, expected);
    // A campaign is no level.
    EXPECT_EQ(later.find("First Steps"), nullptr);
    EXPECT_EQ(later.find("campaign:First Steps"), challenge);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(progress, a_run_the_file_cannot_hold_is_logged_and_never_breaks_the_file)
{
    progress_store store(file);
    store.record_finish("level_01.map", 10, 1, "2026-02-02");
    EXPECT_FALSE(store.record_finish("a]b.map", 10, 1, "2026-02-02").first_finish);
    EXPECT_FALSE(store.record_finish("two\nlines.map", 10, 1, "2026-02-02").first_finish);
    EXPECT_FALSE(store.record_finish("level_02.map", -1, 1, "2026-02-02").first_finish);
    EXPECT_FALSE(store.record_finish("level_02.map", 10, 1, "tomorrow").first_finish);
    EXPECT_EQ(log.lines.size(), 4u);
    progress_store later(file);
    later.load();
    EXPECT_EQ(later.levels().size(), 1u);
    EXPECT_EQ(log.lines.size(), 4u);
}

TEST_F(progress, a_broken_file_is_set_aside_whole_and_progress_starts_again)
{
    const std::string valid = "quillax progress 1\n\n[level_01.map]\nfinished = yes\nbest_time = 42.517\n";
    const std::string newer = "quillax progress 3\n[level_01.map]\nsomething new\n";
    for (const std::string& old : {std::string("\x01\xff garbage\n[[["), valid.substr(0, valid.size() - 4), newer}) {
        fs::remove_all(file.parent_path());
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << old;
        log.lines.clear();

        progress_store store(file);
        store.load();
        EXPECT_TRUE(store.levels().empty());
        const auto aside = set_aside_files();
        ASSERT_EQ(aside.size(), 1u) << old;
        EXPECT_EQ(read_text(aside[0]), old);
        ASSERT_EQ(log.lines.size(), 1u);
        EXPECT_EQ(log.lines[0].rfind("Could not read " + file.string() + " ("), 0u) << log.lines[0];
        EXPECT_NE(log.lines[0].find("); set it aside as " + aside[0].string()), std::string::npos) << log.lines[0];

        store.record_finish("level_02.map", 12, 3, "2026-05-06");
        EXPECT_EQ(store.levels().size(), 1u);
        EXPECT_EQ(parsed(read_text(file)), store.levels());
    }

    // Another broken file, likely in the same second, does not replace the one set aside before.
    std::ofstream(file) << "broken again";
    progress_store(file).load();
    std::multiset<std::string> kept;
    for (const fs::path& aside : set_aside_files())
        kept.insert(read_text(aside));
    EXPECT_EQ(kept, (std::multiset<std::string>{newer, "broken again"}));
}

TEST_F(progress, two_games_on_one_file_keep_each_others_results)
{
    progress_store first(file);
    progress_store second(file);
    first.load();
    second.load();
    first.record_finish("level_01.map", 10, 1, "2026-02-02");
    second.record_finish("level_02.map", 20, 2, "2026-02-02");
    EXPECT_EQ(parsed(read_text(file)).size(), 2u);
    first.load();
    EXPECT_NE(first.find("level_02.map"), nullptr);
    EXPECT_NE(second.find("level_01.map"), nullptr);
    EXPECT_EQ(first.levels(), second.levels());
}

TEST_F(progress, a_data_folder_that_cannot_be_written_keeps_the_run_for_the_session_and_logs_once)
{
    // A file where the progress folder belongs stops root too, as a
    // read-only folder stops a player.
    std::ofstream(file.parent_path()) << "not a folder";

    progress_store store(file);
    store.load();
    const auto result = store.record_finish("level_01.map", 10, 1, "2026-02-02");

    EXPECT_TRUE(result.first_finish);
    EXPECT_NE(store.find("level_01.map"), nullptr);
    EXPECT_EQ(read_text(file.parent_path()), "not a folder");
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].rfind("Could not write " + file.string() + " (", 0), 0u) << log.lines[0];
}

TEST_F(progress, a_failed_write_leaves_the_old_file_as_it_was)
{
    // A folder in the file's place cannot be replaced, even by root.
    const fs::path blocked = folder / "blocked";
    fs::create_directories(blocked / "inside");
    EXPECT_EQ(safe_file::write(blocked, "new"), "Could not write " + blocked.string() + " (Is a directory)");
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    const fs::path target = folder / "settings";
    std::ofstream(target) << "old";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string error = safe_file::write(target, "new");
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(error, "Could not write " + target.string() + " (Permission denied)");
    EXPECT_EQ(read_text(target), "old");
}
