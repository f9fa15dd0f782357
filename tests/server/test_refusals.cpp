// Every run the server did not see roll as recorded is refused, with the
// reason the game shows: the shipped author run of level_01, tampered with
// in each way a cheat might try.

#include "server_fixture.h"

using nlohmann::json;

namespace {

class refusals : public server_fixture {
public:
    // The reason a tampered run is refused with, after checking its status.
    std::string reason_for(const replay& run, int expected_status = 400)
    {
        int status = 0;
        const json answer = submit("Eve", secret(5), run, status);
        EXPECT_EQ(status, expected_status) << answer.dump();
        EXPECT_EQ(answer["status"], "refused");
        EXPECT_FALSE(answer["message"].get<std::string>().empty());
        return answer["reason"].get<std::string>();
    }

    replay run = author_run("level_01.map");
};

}

TEST_F(refusals, the_untouched_run_is_accepted)
{
    int status = 0;
    submit("Eve", secret(5), run, status);
    EXPECT_EQ(status, 200);
}

TEST_F(refusals, an_edited_time_differs)
{
    run.finish_time -= 1.0 / 60.0;
    EXPECT_EQ(reason_for(run), "time_differs");
}

TEST_F(refusals, edited_coins_differ)
{
    run.coins += 1;
    EXPECT_EQ(reason_for(run), "coins_differ");
}

TEST_F(refusals, one_frame_s_keys_changed_rolls_otherwise)
{
    run.frames[run.frames.size() / 2].moves ^= 1u | 8u;
    const std::string reason = reason_for(run);
    EXPECT_TRUE(reason == "broken" || reason == "time_differs" || reason == "run_unfinished") << reason;
}

TEST_F(refusals, an_edited_position_is_not_where_the_ball_rolls)
{
    run.frames[100].x += 0.25f;
    EXPECT_EQ(reason_for(run), "broken");
}

TEST_F(refusals, a_run_cut_short_does_not_reach_the_target)
{
    run.frames.resize(run.frames.size() - 1);
    EXPECT_EQ(reason_for(run), "run_unfinished");
}

TEST_F(refusals, a_run_that_finishes_before_its_last_frame_differs_in_time)
{
    run.frames.push_back(run.frames.back());
    EXPECT_EQ(reason_for(run), "time_differs");
}

TEST_F(refusals, another_level_s_hash_plays_that_level_and_misses_its_target)
{
    run.level_hash = author_run("level_02.map").level_hash;
    EXPECT_EQ(reason_for(run), "run_unfinished");
}

TEST_F(refusals, a_known_level_with_another_hash_or_an_unknown_level)
{
    run.level_hash ^= 1;
    EXPECT_EQ(reason_for(run), "hash_differs");
    run.level_file = "nowhere.map";
    EXPECT_EQ(reason_for(run), "level_unknown");
}

TEST_F(refusals, a_run_of_a_future_physics_version_names_the_version_this_server_runs)
{
    run.physics = current_physics_version + 1;
    int status = 0;
    const json answer = submit("Eve", secret(5), run, status);
    EXPECT_EQ(status, 400);
    EXPECT_EQ(answer["reason"], "version_unsupported");
    EXPECT_NE(answer["message"].get<std::string>().find("runs physics version " +
                                                        std::to_string(current_physics_version)),
              std::string::npos)
        << answer["message"];
    EXPECT_EQ(parsed(board->health())["physics"], json::array({current_physics_version}));
}

TEST_F(refusals, a_broken_file_or_request)
{
    std::string text = run.to_text();
    text.replace(text.find("coins"), 5, "cions");
    EXPECT_EQ(parsed(board->submit(body("Eve", secret(5), text), "127.0.0.1"))["reason"], "broken");
    for (const std::string request : {"", "{", "[]", "{\"player\":\"Eve\"}", "{\"player\":1,\"secret\":2,\"replay\":3}"}) {
        const api_answer answer = board->submit(request, "127.0.0.1");
        EXPECT_EQ(answer.status, 400) << request;
        EXPECT_EQ(parsed(answer)["reason"], "broken") << request;
    }
}

TEST_F(refusals, a_run_longer_than_the_server_verifies_is_too_large)
{
    while (run.frames.size() <= limit.max_frames)
        run.frames.push_back(run.frames.back());
    EXPECT_EQ(reason_for(run, 413), "too_large");
}

TEST_F(refusals, a_run_of_few_frames_but_hours_of_play_is_too_large)
{
    run.frames[0].dt = 3600.0f;
    run.frames[1].dt = 3600.0f;
    EXPECT_EQ(reason_for(run, 413), "too_large");
}
