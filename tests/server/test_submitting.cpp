// Submitting runs to the leaderboard: the first accepted run registers a
// name, the name's secret is needed after that, and only a player's best
// run on a level ranks, an earlier run before a later one of the same time.

#include "server_fixture.h"

using nlohmann::json;

namespace {

class submitting : public server_fixture {};

}

TEST_F(submitting, a_new_name_registers_with_its_first_accepted_run_and_ranks_first)
{
    int status = 0;
    const replay run = author_run("level_01.map");
    const json answer = submit("Ada", secret(1), run, status);
    ASSERT_EQ(status, 200) << answer.dump();
    EXPECT_EQ(answer["status"], "accepted");
    EXPECT_EQ(answer["time"].get<double>(), run.finish_time);
    EXPECT_EQ(answer["coins"], run.coins);
    EXPECT_EQ(answer["rank"], 1);
    EXPECT_EQ(answer["personal_best"], true);
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(run.level_hash));
    EXPECT_EQ(answer["level"], hash);

    const json page = parsed(board->player("Ada"));
    EXPECT_EQ(page["name"], "Ada");
    ASSERT_EQ(page["runs"].size(), 1u);
    EXPECT_EQ(page["runs"][0]["level_file"], "level_01.map");
    EXPECT_EQ(page["runs"][0]["rank"], 1);
    const api_answer stored = board->replay(std::to_string(answer["run_id"].get<long long>()));
    EXPECT_EQ(stored.status, 200);
    EXPECT_EQ(stored.body, run.to_text());
    EXPECT_EQ(stored.content_type, "text/plain");
}

TEST_F(submitting, a_taken_name_needs_its_own_secret)
{
    int status = 0;
    const replay run = author_run("level_01.map");
    submit("Ada", secret(1), run, status);
    ASSERT_EQ(status, 200);
    const json other = submit("Ada", secret(2), run, status);
    EXPECT_EQ(status, 409);
    EXPECT_EQ(other["reason"], "name_taken");
    EXPECT_NE(other["message"].get<std::string>().find("taken"), std::string::npos);
    submit("Ada", secret(1), run, status);
    EXPECT_EQ(status, 200);
    const json malformed = submit("Bea", "not hex", run, status);
    EXPECT_EQ(status, 403);
    EXPECT_EQ(malformed["reason"], "wrong_secret");
}

TEST_F(submitting, a_refused_run_registers_no_name)
{
    int status = 0;
    replay run = author_run("level_01.map");
    run.finish_time += 1.0;
    submit("Ada", secret(1), run, status);
    EXPECT_EQ(status, 400);
    EXPECT_EQ(board->player("Ada").status, 404);
    submit("Ada", secret(2), author_run("level_01.map"), status);
    EXPECT_EQ(status, 200) << "the refused run's secret does not hold the name";
}

TEST_F(submitting, names_follow_the_rules)
{
    int status = 0;
    const replay run = author_run("level_01.map");
    for (const std::string name : {"Al", "twenty-one characters", " Ada", "Ada ", "A\tda", "Ad\x7f", "Ad\xc2\x85"}) {
        const json answer = submit(name, secret(1), run, status);
        EXPECT_EQ(status, 400) << name;
        EXPECT_EQ(answer["reason"], "bad_name") << name;
    }
    // JSON is UTF-8: bytes that are not cannot even be a name.
    const api_answer latin1 = board->submit("{\"player\":\"Zo\xeb\",\"secret\":\"" + secret(1) + "\",\"replay\":\"\"}",
                                            "127.0.0.1");
    EXPECT_EQ(latin1.status, 400);
    EXPECT_EQ(parsed(latin1)["reason"], "broken");
    for (const std::string name : {"Bo b", "Zoë", "ÆØÅ", "twenty characters ok"}) {
        submit(name, secret(3), run, status);
        EXPECT_EQ(status, 200) << name;
    }
}

TEST_F(submitting, equal_times_rank_the_earlier_run_first_and_only_a_faster_run_replaces_a_best)
{
    int status = 0;
    const replay run = author_run("level_01.map");
    for (const std::string name : {"Cid", "Ada", "Bea"}) {
        submit(name, secret(int(name[0])), run, status);
        ASSERT_EQ(status, 200);
    }
    const json again = submit("Ada", secret(int('A')), run, status);
    EXPECT_EQ(again["personal_best"], false);
    EXPECT_EQ(again["rank"], 2);

    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(run.level_hash));
    const json top = parsed(board->top(hash, ""));
    ASSERT_EQ(top["runs"].size(), 3u) << "a player's second run of the same time does not rank twice";
    EXPECT_EQ(top["runs"][0]["player"], "Cid");
    EXPECT_EQ(top["runs"][1]["player"], "Ada");
    EXPECT_EQ(top["runs"][2]["player"], "Bea");
    EXPECT_EQ(top["runs"][2]["rank"], 3);
    EXPECT_EQ(parsed(board->top(hash, "2"))["runs"].size(), 2u);
    EXPECT_EQ(board->top(hash, "0").status, 400);
    EXPECT_EQ(board->top(hash, "101").status, 400);
    EXPECT_EQ(board->top("F12B560B92C1BDF9", "").status, 400);
    EXPECT_TRUE(parsed(board->top("0000000000000000", ""))["runs"].empty());

    const json bea = parsed(board->rank(hash, "Bea"));
    EXPECT_EQ(bea["rank"], 3);
    EXPECT_EQ(bea["of"], 3);
    EXPECT_EQ(bea["time"].get<double>(), run.finish_time);
    const api_answer nobody = board->rank(hash, "Nobody");
    EXPECT_EQ(nobody.status, 404);
    EXPECT_EQ(parsed(nobody)["reason"], "not_ranked");
}

TEST_F(submitting, a_player_over_the_rate_is_told_to_wait)
{
    rate_limiter tight(1, 1);
    leaderboard limited(*store, levels, *pool, tight, per_address, limit);
    const std::string run = author_run("level_01.map").to_text();
    EXPECT_EQ(limited.submit(body("Ada", secret(1), run), "127.0.0.1").status, 200);
    const api_answer again = limited.submit(body("Ada", secret(1), run), "127.0.0.1");
    EXPECT_EQ(again.status, 429);
    EXPECT_EQ(parsed(again)["reason"], "rate_limited");
    EXPECT_EQ(limited.submit(body("Bea", secret(2), run), "127.0.0.1").status, 200) << "another player still may";

    leaderboard by_address(*store, levels, *pool, per_player, tight, limit);
    EXPECT_EQ(by_address.submit(body("Cid", secret(3), run), "10.0.0.1").status, 200);
    EXPECT_EQ(by_address.submit(body("Dee", secret(4), run), "10.0.0.1").status, 429);
}

TEST(rate_limits, a_bucket_refills_at_its_rate_up_to_its_burst)
{
    rate_limiter limiter(60, 2);
    const auto start = rate_limiter::clock_type::now();
    EXPECT_TRUE(limiter.allow("a", start));
    EXPECT_TRUE(limiter.allow("a", start));
    EXPECT_FALSE(limiter.allow("a", start));
    EXPECT_TRUE(limiter.allow("b", start)) << "each key has its own bucket";
    EXPECT_FALSE(limiter.allow("a", start + std::chrono::milliseconds(900)));
    EXPECT_TRUE(limiter.allow("a", start + std::chrono::milliseconds(1100)));
    EXPECT_TRUE(limiter.allow("a", start + std::chrono::hours(1)));
    EXPECT_TRUE(limiter.allow("a", start + std::chrono::hours(1)));
    EXPECT_FALSE(limiter.allow("a", start + std::chrono::hours(1))) << "no more than the burst is saved up";
}
