// Whatever a server answers, the game reads only what is whole and sane.

#include "fake_server.h"
#include "online/http_transport.h"
#include "online/server_answers.h"

#include <gtest/gtest.h>

TEST(server_answers, a_submission_is_accepted_refused_for_good_or_left_for_later)
{
    const submit_answer ranked = server_answers::submit(reply(
        200, R"({"status":"accepted","run_id":12,"level":"0123456789abcdef","time":42.5,"coins":3,"rank":4,"personal_best":true})"));
    EXPECT_EQ(ranked.outcome, submit_answer::accepted);
    EXPECT_EQ(ranked.rank, 4);
    EXPECT_EQ(ranked.run_id, 12);

    const submit_answer wrong = server_answers::submit(
        reply(400, R"({"status":"refused","reason":"time_differs","message":"the run finishes at 40.1 s"})"));
    EXPECT_EQ(wrong.outcome, submit_answer::refused);
    EXPECT_EQ(wrong.reason, "time_differs");
    EXPECT_EQ(wrong.message, "the run finishes at 40.1 s");
    EXPECT_EQ(server_answers::submit(reply(413, "<html>too large</html>")).outcome, submit_answer::refused);

    for (const http_reply& later : {reply(0, ""), reply(503, R"({"status":"refused","reason":"busy","message":"m"})"),
                                    reply(429, R"({"status":"refused","reason":"rate_limited","message":"m"})"),
                                    reply(502, "<html>bad gateway</html>"), reply(200, "{\"status\":\"accepted\"}"),
                                    reply(200, "not json")})
        EXPECT_EQ(server_answers::submit(later).outcome, submit_answer::later) << later.status << later.body;
}

TEST(server_answers, a_top_list_with_any_bad_run_or_field_is_refused_whole)
{
    std::vector<board_run> runs;
    std::string error;
    ASSERT_TRUE(server_answers::top(
        reply(200, R"({"level":"x","runs":[{"rank":1,"player":"Bob","time":11.5,"coins":2,"run_id":5,"submitted":"2026-12-10T02:00:00Z"},
                                           {"rank":2,"player":"Ann","time":12,"coins":0,"run_id":9}]})"),
        runs, error)) << error;
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].player, "Ann");
    EXPECT_EQ(runs[1].time, 12.0);
    ASSERT_TRUE(server_answers::top(reply(200, R"({"level":"x","runs":[]})"), runs, error));
    EXPECT_TRUE(runs.empty());

    for (const std::string bad :
         {"", "[]", "{", R"({"runs":{}})", R"({"level":"x"})", R"({"runs":[{"rank":1,"player":"Bob","time":1,"coins":2}]})",
          R"({"runs":[{"rank":"1","player":"Bob","time":1,"coins":2,"run_id":5}]})",
          R"({"runs":[{"rank":1,"player":"B","time":1,"coins":2,"run_id":5}]})",
          R"({"runs":[{"rank":1,"player":"Bo\u0007b","time":1,"coins":2,"run_id":5}]})",
          R"({"runs":[{"rank":1,"player":"Bob","time":-1,"coins":2,"run_id":5}]})",
          R"({"runs":[{"rank":0,"player":"Bob","time":1,"coins":2,"run_id":5}]})",
          R"({"runs":[{"rank":1,"player":"Bob","time":1e308,"coins":2,"run_id":5}]})", R"({"runs":[1]})"}) {
        runs.assign(1, board_run{});
        EXPECT_FALSE(server_answers::top(reply(200, bad), runs, error)) << bad;
        EXPECT_EQ(runs.size(), 1u) << "a refused list leaves the old one";
    }
    EXPECT_FALSE(server_answers::top(reply(500, R"({"runs":[]})"), runs, error));
    const std::string huge = R"({"runs":[],"pad":")" + std::string(server_answers::most_bytes, 'x') + "\"}";
    EXPECT_FALSE(server_answers::top(reply(200, huge), runs, error));
    EXPECT_NE(error.find("longer"), std::string::npos);
}

TEST(server_answers, a_rank_or_none)
{
    rank_answer rank;
    std::string error;
    ASSERT_TRUE(server_answers::rank(reply(200, R"({"rank":3,"time":20.25,"of":17})"), rank, error)) << error;
    EXPECT_TRUE(rank.ranked);
    EXPECT_EQ(rank.of, 17);
    ASSERT_TRUE(server_answers::rank(reply(404, R"({"status":"refused","reason":"not_ranked","message":"m"})"), rank, error));
    EXPECT_FALSE(rank.ranked);
    for (const std::string bad : {R"({"rank":3,"time":20.25})", R"({"rank":30,"time":20.25,"of":17})", "null"})
        EXPECT_FALSE(server_answers::rank(reply(200, bad), rank, error)) << bad;
    EXPECT_FALSE(server_answers::rank(reply(404, "{}"), rank, error));
}
