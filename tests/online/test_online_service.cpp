// Personal bests go to the server once, survive a restart of the game while
// the server cannot take them, and leave the queue when refused for good;
// the level's board and the world record's run come in the background.

#include "fake_server.h"
#include "online/online_service.h"
#include "online/run_queue.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

replay a_run(const std::string& level, std::uint64_t hash, double time)
{
    replay run;
    run.level_file = level;
    run.level_hash = hash;
    run.finish_time = time;
    run.coins = 2;
    run.frames.push_back({1.0f / 60.0f, 1, 0, 0, 0.0f, 5.0f, -1.0f});
    return run;
}

const std::string accepted = R"({"status":"accepted","run_id":7,"level":"00000000000000aa","time":12.5,"coins":2,"rank":3,"personal_best":true})";

class online_service_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
        std::ofstream(folder / "online") << "online = on\nplayer_name = Ann #1\nserver_address = http://127.0.0.1:9\n";
    }
    void TearDown() override { fs::remove_all(folder); }

    std::unique_ptr<online_service> make()
    {
        return std::make_unique<online_service>(folder, folder, [this] { return server; });
    }
    // Frames until every request has been answered (a few seconds at most).
    static void settle(online_service& online, float step = 0.0f)
    {
        for (int i = 0; i < 2000; ++i) {
            online.frame(step);
            if (online.idle())
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        FAIL() << "the online requests never ended";
    }

    log_capture log;
    const fs::path folder = fs::temp_directory_path() / ("quillax_online_" + std::to_string(getpid()));
    std::shared_ptr<fake_server> server = std::make_shared<fake_server>([](const http_request&) { return reply(200, accepted); });
};

}

TEST_F(online_service_test, an_accepted_run_is_sent_once_and_leaves_the_queue_with_its_world_rank)
{
    auto online = make();
    online->submit(a_run("level_01.map", 0xaa, 12.5));
    settle(*online);
    EXPECT_EQ(server->count("/api/v1/runs"), 1);
    EXPECT_TRUE(online->queue().runs().empty());
    EXPECT_EQ(online->world_rank(0xaa, 12.5), 3);
    EXPECT_EQ(online->world_rank(0xaa, 13.0), 0);
    EXPECT_TRUE(log.contains("The run of level_01.map is World #3"));
    // Long after, nothing is sent again.
    settle(*online, 1000.0f);
    EXPECT_EQ(server->count("/api/v1/runs"), 1);
    EXPECT_TRUE(run_queue(online->queue_file()).runs().empty());
}

TEST_F(online_service_test, a_run_the_server_cannot_take_survives_a_restart_and_is_sent_later_once)
{
    for (const http_reply& later : {reply(0, ""), reply(503, R"({"status":"refused","reason":"busy","message":"try later"})"),
                                    reply(429, R"({"status":"refused","reason":"rate_limited","message":"slow"})")}) {
        fs::remove(folder / "online_queue");
        server->answer_with([later](const http_request&) { return later; });
        {
            auto online = make();
            online->submit(a_run("level_01.map", 0xaa, 12.5));
            settle(*online);
            ASSERT_EQ(online->queue().runs().size(), 1u) << later.status;
        }
        server->answer_with([](const http_request&) { return reply(200, accepted); });
        const int before = server->count("/api/v1/runs");
        auto online = make();
        ASSERT_EQ(online->queue().runs().size(), 1u);
        settle(*online);
        EXPECT_EQ(server->count("/api/v1/runs"), before + 1);
        EXPECT_TRUE(online->queue().runs().empty());
        settle(*online, 1000.0f);
        EXPECT_EQ(server->count("/api/v1/runs"), before + 1);
    }
}

TEST_F(online_service_test, a_run_refused_for_good_leaves_the_queue_and_a_taken_name_is_told)
{
    server->answer_with([](const http_request&) {
        return reply(409, R"({"status":"refused","reason":"name_taken","message":"Ann #1 belongs to another player"})");
    });
    auto online = make();
    online->submit(a_run("level_01.map", 0xaa, 12.5));
    settle(*online);
    EXPECT_TRUE(online->queue().runs().empty());
    EXPECT_TRUE(log.contains("The server refused the run of level_01.map: name_taken: Ann #1 belongs to another player"));
    EXPECT_NE(online->problem().find("is taken"), std::string::npos);
    settle(*online, 1000.0f);
    EXPECT_EQ(server->count("/api/v1/runs"), 1);
}

TEST_F(online_service_test, a_newer_best_replaces_a_waiting_run_of_the_same_level)
{
    server->answer_with([](const http_request&) { return reply(0, ""); });
    auto online = make();
    online->submit(a_run("level_01.map", 0xaa, 14.0));
    online->submit(a_run("level_02.map", 0xbb, 20.0));
    settle(*online);
    online->submit(a_run("level_01.map", 0xaa, 12.5));
    settle(*online);
    ASSERT_EQ(online->queue().runs().size(), 2u);
    replay back;
    std::string error;
    ASSERT_TRUE(replay::parse(online->queue().runs()[0].replay_text, back, error)) << error;
    EXPECT_EQ(back.finish_time, 12.5);
}

TEST_F(online_service_test, the_secret_is_made_at_the_first_submission_for_the_player_alone)
{
    auto online = make();
    EXPECT_FALSE(fs::exists(online->secret_file()));
    online->submit(a_run("level_01.map", 0xaa, 12.5));
    settle(*online);
    struct stat info {};
    ASSERT_EQ(stat(online->secret_file().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(online_service_test, switched_off_it_starts_nothing_and_writes_nothing)
{
    std::ofstream(folder / "online") << "online = off\nplayer_name = Ann\nserver_address = http://127.0.0.1:9\n";
    auto online = make();
    EXPECT_FALSE(online->active());
    online->submit(a_run("level_01.map", 0xaa, 12.5));
    EXPECT_EQ(online->board(0xaa), nullptr);
    online->frame(1000.0f);
    EXPECT_EQ(server->count("/"), 0);
    EXPECT_FALSE(fs::exists(online->queue_file()));
    EXPECT_FALSE(fs::exists(online->secret_file()));
    EXPECT_TRUE(log.contains("Online play is off"));
}

TEST_F(online_service_test, the_board_and_the_checked_world_record_come_in_the_background)
{
    replay record = a_run("level_01.map", 0xaa, 11.0);
    const std::string top = R"({"level":"00000000000000aa","runs":[{"rank":1,"player":"Bob","time":11.0,"coins":2,"run_id":5,"submitted":"2026-12-10T02:00:00Z"}]})";
    server->answer_with([&](const http_request& r) {
        if (r.url.find("/top?n=10") != std::string::npos)
            return reply(200, top);
        if (r.url.find("/rank?player=Ann%20%231") != std::string::npos)
            return reply(200, R"({"rank":2,"time":12.5,"of":2})");
        if (r.url.find("/runs/5/replay") != std::string::npos)
            return reply(200, record.to_text());
        return reply(404, "{}");
    });
    auto online = make();
    EXPECT_EQ(online->board(0xaa), nullptr);
    settle(*online);
    const level_board* board = online->board(0xaa);
    ASSERT_NE(board, nullptr);
    ASSERT_EQ(board->top.size(), 1u);
    EXPECT_EQ(board->top[0].player, "Bob");
    EXPECT_TRUE(board->rank_known);
    EXPECT_EQ(board->rank.rank, 2);
    replay raced;
    ASSERT_TRUE(online->world_record(0xaa, raced));
    EXPECT_EQ(raced.finish_time, 11.0);
    // Asked again only once the board is old.
    const int asked = server->count("/top");
    online->board(0xaa);
    EXPECT_EQ(server->count("/top"), asked);

    // A record run of another version of the level is not raced.
    record.level_hash = 0xcc;
    auto fresh = make();
    fresh->board(0xaa);
    settle(*fresh);
    EXPECT_FALSE(fresh->world_record(0xaa, raced));
    EXPECT_TRUE(log.contains("The world record run 5 of 00000000000000aa is not raced: it was played on another version of the level"));
}
