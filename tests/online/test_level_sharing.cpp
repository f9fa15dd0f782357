// Sharing levels: what the server lists is read only when whole and sane,
// and a fetched level goes into the add-on folder only when it is the very
// file listed, names nothing the game does not ship, and replaces nothing.

#include "fake_server.h"
#include "online/level_sharing.h"
#include "online/online_service.h"
#include "online/shared_answers.h"
#include "records/replay.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string level_text(const std::string& block_attributes)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Level name=\"Tiny\">\n  <Description>Short.</Description>\n"
           "  <Settings gravity=\"0 -100 0\"/>\n  <Objects>\n    <Object type=\"start\" pos=\"0 51.5 0\"/>\n"
           "    <Object type=\"block\" pos=\"0 50 0\"" +
           block_attributes + "/>\n    <Object type=\"target\" pos=\"0 51.5 -10\"/>\n  </Objects>\n</Level>\n";
}

std::string entry(const std::string& hash, const std::string& file, const std::string& name)
{
    return R"({"level":")" + hash + R"(","file":")" + file + R"(","name":")" + name +
           R"(","description":"Roll.","author":"Ann","shared":"2026-12-10T05:00:00Z","size":512,"time":12.5,"plays":3})";
}

std::string listing(const std::string& entries)
{
    return R"({"levels":[)" + entries + "]}";
}

std::string read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}

TEST(shared_answers, a_list_is_read_whole_with_its_texts_cleaned_or_refused_whole)
{
    std::vector<shared_level> levels;
    std::string error;
    ASSERT_TRUE(shared_answers::list(
        reply(200, listing(entry("00000000000000ab", "tiny.map", "Tiny\\u0007 \\u0085Hills\\n") + "," +
                           entry("00000000000000cd", "big.map", ""))),
        levels, error))
        << error;
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].hash, 0xabu);
    EXPECT_EQ(levels[0].name, "Tiny   Hills");
    EXPECT_EQ(levels[0].author, "Ann");
    EXPECT_EQ(levels[0].plays, 3);
    // A level without a name is listed by its file.
    EXPECT_EQ(levels[1].name, "big.map");

    for (const std::string& broken :
         {entry("00000000000000ab", "../escape.map", "x"), entry("00000000000000AB", "a.map", "x"),
          entry("abc", "a.map", "x"), std::string(R"({"level":"00000000000000ab"})")}) {
        levels.clear();
        EXPECT_FALSE(shared_answers::list(reply(200, listing(entry("00000000000000cd", "big.map", "") + "," + broken)),
                                          levels, error))
            << broken;
        EXPECT_TRUE(levels.empty());
    }
    EXPECT_FALSE(shared_answers::list(reply(500, listing("")), levels, error));
    EXPECT_FALSE(shared_answers::list(reply(200, "not json"), levels, error));
}

TEST(shared_answers, cleaning_cuts_at_a_character_boundary)
{
    EXPECT_EQ(shared_answers::cleaned("  \t\r\n ", 10), "");
    EXPECT_EQ(shared_answers::cleaned("ab\x7f" "cd", 10), "ab cd");
    // "é" is two bytes: a cut inside it drops it whole.
    EXPECT_EQ(shared_answers::cleaned("abc\xc3\xa9", 4), "abc");
    EXPECT_EQ(shared_answers::cleaned("abc\xc3\xa9", 5), "abc\xc3\xa9");
}

TEST(shared_answers, a_share_is_listed_refused_for_good_or_left_for_later)
{
    const share_answer listed = shared_answers::share(
        reply(200, R"({"status":"listed","level":"00000000000000ab","file":"a.map","name":"A","time":9.5,"run_id":4,"rank":1})"));
    EXPECT_EQ(listed.outcome, share_answer::listed);
    EXPECT_DOUBLE_EQ(listed.time, 9.5);
    const share_answer checker = shared_answers::share(
        reply(422, R"({"status":"refused","reason":"checker_error","message":"line 4: no gravity\u0007"})"));
    EXPECT_EQ(checker.outcome, share_answer::refused);
    EXPECT_EQ(checker.message, "line 4: no gravity");
    EXPECT_EQ(shared_answers::share(reply(503, R"({"status":"refused","reason":"busy","message":"later"})")).outcome,
              share_answer::later);
    EXPECT_EQ(shared_answers::share(reply(0, "")).outcome, share_answer::later);
    // "listed" without its time is no listing the game can show.
    EXPECT_EQ(shared_answers::share(reply(200, R"({"status":"listed"})")).outcome, share_answer::later);
}

namespace {

class level_sharing_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(folder);
        fs::create_directories(folder / "addons");
        std::ofstream(folder / "online") << "online = on\nplayer_name = Ann\nserver_address = http://127.0.0.1:9\n";
        online = std::make_unique<online_service>(folder, folder, [this] { return server; });
        sharing = std::make_unique<level_sharing>(*online, folder / "addons", (folder / "data").string());
    }
    void TearDown() override
    {
        sharing.reset();
        online.reset();
        fs::remove_all(folder);
    }

    void settle()
    {
        for (int i = 0; i < 2000 && !(online->idle() && !sharing->busy()); ++i) {
            online->frame(0.0f);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_FALSE(sharing->busy()) << "the sharing requests never ended";
    }

    // Lists one level whose listed hash is that of `listed_text`, and sends `sent_text` when fetched.
    void serve(const std::string& listed_text, const std::string& sent_text)
    {
        const std::string hash = [&] {
            char text[17];
            std::snprintf(text, sizeof text, "%016llx",
                          static_cast<unsigned long long>(replay::hash_text(listed_text)));
            return std::string(text);
        }();
        server->answer_with([hash, sent_text](const http_request& request) {
            if (request.url.find("/shared?") != std::string::npos)
                return reply(200, listing(entry(hash, "tiny.map", "Tiny")));
            if (request.url.find("/shared/" + hash) != std::string::npos)
                return reply(200, sent_text);
            return reply(404, R"({"status":"refused","reason":"not_found","message":"no"})");
        });
    }

    // Lists, fetches the first level and says what became of it.
    std::string list_and_fetch()
    {
        sharing->ask("newest");
        settle();
        EXPECT_EQ(sharing->levels().size(), 1u);
        if (sharing->levels().empty())
            return "nothing listed";
        sharing->download(sharing->levels().front());
        settle();
        return sharing->status();
    }

    log_capture log;
    const fs::path folder = fs::temp_directory_path() / ("quillax_sharing_" + std::to_string(getpid()));
    std::shared_ptr<fake_server> server = std::make_shared<fake_server>([](const http_request&) { return reply(0, ""); });
    std::unique_ptr<online_service> online;
    std::unique_ptr<level_sharing> sharing;
};

}

TEST_F(level_sharing_test, a_fetched_level_lands_in_the_add_on_folder_ready_to_play)
{
    const std::string text = level_text("");
    serve(text, text);
    EXPECT_EQ(list_and_fetch(), "Fetched tiny.map by Ann into your add-on levels");
    EXPECT_EQ(read(folder / "addons" / "tiny.map"), text);
    EXPECT_EQ(sharing->take_ready(), "tiny.map");
    EXPECT_EQ(sharing->take_ready(), "");
    // Fetched again, the same file is no clash.
    sharing->download(sharing->levels().front());
    settle();
    EXPECT_EQ(sharing->take_ready(), "tiny.map");
}

TEST_F(level_sharing_test, a_level_that_is_not_the_one_listed_or_names_unshipped_media_is_never_written)
{
    const std::string good = level_text("");
    serve(good, level_text(" rot=\"0 90 0\""));
    EXPECT_NE(list_and_fetch().find("not the one listed"), std::string::npos) << sharing->status();

    const std::string foreign = level_text(" mesh=\"stranger.mesh\"");
    serve(foreign, foreign);
    EXPECT_NE(list_and_fetch().find("stranger.mesh"), std::string::npos) << sharing->status();
    EXPECT_FALSE(fs::exists(folder / "addons" / "tiny.map"));
    EXPECT_EQ(sharing->take_ready(), "");

    // The player's own level of that name stays as it is.
    std::ofstream(folder / "addons" / "tiny.map") << "mine";
    serve(good, good);
    EXPECT_NE(list_and_fetch().find("already holds another tiny.map"), std::string::npos) << sharing->status();
    EXPECT_EQ(read(folder / "addons" / "tiny.map"), "mine");
}

TEST_F(level_sharing_test, a_share_sends_the_level_with_its_run_and_tells_the_verdict)
{
    replay run;
    run.level_file = "tiny.map";
    run.level_hash = replay::hash_text(level_text(""));
    run.finish_time = 9.5;
    run.frames.push_back({1.0f / 60.0f, 1, 0, 0, 0.0f, 5.0f, -1.0f});
    std::string body;
    server->answer_with([&body](const http_request& request) {
        body = request.body;
        return reply(422, R"({"status":"refused","reason":"checker_error","message":"tiny.map:4: no target"})");
    });
    ASSERT_TRUE(sharing->share("tiny.map", level_text(""), run));
    settle();
    EXPECT_EQ(sharing->status(), "The server refused tiny.map: tiny.map:4: no target");
    EXPECT_NE(body.find("\"file\":\"tiny.map\""), std::string::npos);
    EXPECT_NE(body.find("quillax replay"), std::string::npos);
    EXPECT_EQ(server->count("/api/v1/levels"), 1);
}
