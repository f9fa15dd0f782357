// The player's online files: names as the server takes them, a secret no
// one else can read and that is never overwritten silently, settings and a
// queue file that a broken copy cannot take down.

#include "online/online_settings.h"
#include "online/player_name.h"
#include "online/player_secret.h"
#include "online/run_queue.h"
#include "records/replay.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

class online_files : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    int set_aside_count() const
    {
        int n = 0;
        for (const auto& entry : fs::directory_iterator(folder))
            n += entry.path().filename().string().find(".broken-") != std::string::npos;
        return n;
    }

    log_capture log;
    const fs::path folder = fs::temp_directory_path() / ("quillax_online_files_" + std::to_string(getpid()));
};

std::string text_of(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}

TEST(player_name_rules, names_of_three_to_twenty_characters_without_control_characters_or_outer_spaces)
{
    for (const std::string good : {"Ann", "Zoë the Quick", "ÅÅÅ", "12345678901234567890", "名前です", "a#b"})
        EXPECT_EQ(player_name::problem(good), "") << good;
    for (const std::string& bad : std::vector<std::string>{"", "Al", "123456789012345678901", " Ann", "Ann ", "An\tn", "An\nn",
                                  std::string("An\0n", 4), "Ann\x7f", "Ann\xc2\x85", "\xff\xfe\xfd", "Ann\xc3",
                                  "\xc0\xaf" "Ann", "\xed\xa0\x80\x41nn"})
        EXPECT_NE(player_name::problem(bad), "") << bad;
}

TEST_F(online_files, the_secret_is_64_hex_digits_readable_by_the_player_alone_and_kept)
{
    std::string error;
    const fs::path file = folder / "online_secret";
    const std::string secret = player_secret::load_or_make(file, error);
    ASSERT_TRUE(player_secret::well_formed(secret)) << error;
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(player_secret::load_or_make(file, error), secret);
    EXPECT_NE(player_secret::make(), player_secret::make());
    // Widened by someone else: narrowed again when read.
    chmod(file.c_str(), 0644);
    EXPECT_EQ(player_secret::load_or_make(file, error), secret);
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(online_files, a_file_that_holds_no_secret_is_set_aside_not_overwritten)
{
    const fs::path file = folder / "online_secret";
    std::ofstream(file) << "my old secret, edited by hand\n";
    std::string error;
    const std::string secret = player_secret::load_or_make(file, error);
    EXPECT_TRUE(player_secret::well_formed(secret)) << error;
    EXPECT_EQ(set_aside_count(), 1);
    bool kept = false;
    for (const auto& entry : fs::directory_iterator(folder))
        kept |= text_of(entry.path()) == "my old secret, edited by hand\n";
    EXPECT_TRUE(kept);
}

TEST_F(online_files, settings_read_back_and_a_broken_file_is_set_aside)
{
    online_settings chosen;
    chosen.on = true;
    chosen.player_name = "Ann # one";
    chosen.server_address = "https://scores.example/quillax";
    std::ofstream(folder / "online") << chosen.to_text();
    const online_settings back = online_settings::load(folder / "online");
    EXPECT_TRUE(back.active());
    EXPECT_EQ(back.player_name, "Ann # one");
    EXPECT_EQ(back.server_address, "https://scores.example/quillax");

    std::ofstream(folder / "online") << "online = maybe\n";
    EXPECT_FALSE(online_settings::load(folder / "online").active());
    EXPECT_EQ(set_aside_count(), 1);
    EXPECT_FALSE(online_settings::load(folder / "missing").on);
    for (const std::string bad : {"ftp://host", "http://a b", "http://host/?x", "host:80", "http://h\x01"})
        EXPECT_NE(online_settings::address_problem(bad), "") << bad;
}

TEST_F(online_files, the_queue_reads_back_whole_and_a_broken_queue_is_set_aside)
{
    replay run;
    run.level_file = "level 01.map";
    run.level_hash = 0xabc;
    run.finish_time = 9.25;
    run.frames.push_back({1.0f / 60.0f, 1, 0, 0, 0.0f, 5.0f, -1.0f});
    {
        run_queue queue(folder / "online_queue");
        EXPECT_EQ(queue.add({run.level_file, run.level_hash, run.to_text()}), "");
    }
    run_queue back(folder / "online_queue");
    ASSERT_EQ(back.runs().size(), 1u);
    EXPECT_EQ(back.runs()[0].level_file, "level 01.map");
    EXPECT_EQ(back.runs()[0].level_hash, 0xabcu);
    EXPECT_EQ(back.runs()[0].replay_text, run.to_text());

    const std::string whole = back.to_text();
    std::vector<queued_run> read;
    std::string error;
    for (const std::string& broken : std::vector<std::string>{whole.substr(0, whole.size() - 5), whole + "x", "quillax online queue 1\nrun 99999999999 a\n",
                                      "quillax online queue 9\n", "quillax online queue 1\nrun 5 a\nhello"})
        EXPECT_FALSE(run_queue::parse(broken, read, error)) << broken;

    std::ofstream(folder / "online_queue", std::ios::trunc) << whole.substr(0, whole.size() - 5);
    EXPECT_TRUE(run_queue(folder / "online_queue").runs().empty());
    EXPECT_EQ(set_aside_count(), 1);
}
