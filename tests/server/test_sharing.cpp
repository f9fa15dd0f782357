// Sharing a level: it is listed only with a run that finishes it, only when
// the level checker finds no error, under a file name of its own; then it
// downloads byte for byte and takes runs like a shipped level. The level is
// the shipped level_01 with a comment added, which changes its hash and
// nothing it plays, so its author run, pointed at the new file, finishes it.

#include "level_listing.h"
#include "server_fixture.h"

using nlohmann::json;

namespace {

class sharing : public server_fixture {
public:
    // level_01 with `comment` after the XML declaration, under `file`.
    static std::string level_text(const std::string& comment = "shared")
    {
        std::string text = read_text(shipped_media() / "levels" / "level_01.map");
        text.insert(text.find("?>") + 2, "\n<!-- " + comment + " -->");
        return text;
    }
    // level_01's author run, recorded (so it says) on `text` as `file`.
    static replay run_on(const std::string& file, const std::string& text)
    {
        replay run = author_run("level_01.map");
        run.level_file = file;
        run.level_hash = replay::hash_text(text);
        return run;
    }
    static std::string hash_of(const std::string& text)
    {
        char hash[17];
        std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(replay::hash_text(text)));
        return hash;
    }

    json share(const std::string& player, const std::string& file, const std::string& text, const replay& run,
               int& status, leaderboard* other = nullptr)
    {
        const std::string request =
            json{{"player", player}, {"secret", secret(1)}, {"file", file}, {"level", text}, {"replay", run.to_text()}}
                .dump();
        const api_answer answer = (other ? other : board.get())->share(request, "127.0.0.1");
        status = answer.status;
        return parsed(answer);
    }
    // The refusal's reason, after checking that it is a refusal of `expected_status`.
    std::string refused(const std::string& file, const std::string& text, const replay& run, int expected_status)
    {
        int status = 0;
        const json answer = share("Ada", file, text, run, status);
        EXPECT_EQ(status, expected_status) << answer.dump();
        EXPECT_EQ(answer["status"], "refused");
        EXPECT_FALSE(answer["message"].get<std::string>().empty());
        return answer["reason"].get<std::string>();
    }
    std::size_t listed() { return parsed(board->shared("", "", ""))["levels"].size(); }
};

}

TEST_F(sharing, a_level_with_its_finishing_run_is_listed_downloads_as_sent_and_takes_runs)
{
    const std::string text = level_text();
    const std::string hash = hash_of(text);
    int status = 0;
    const json answer = share("Ada", "my_first.map", text, run_on("my_first.map", text), status);
    ASSERT_EQ(status, 200) << answer.dump();
    EXPECT_EQ(answer["status"], "listed");
    EXPECT_EQ(answer["level"], hash);
    EXPECT_EQ(answer["file"], "my_first.map");
    EXPECT_EQ(answer["name"], "First Roll");
    EXPECT_EQ(answer["time"].get<double>(), author_run("level_01.map").finish_time);
    EXPECT_EQ(answer["rank"], 1);
    EXPECT_EQ(parsed(board->player("Ada"))["name"], "Ada") << "the author is registered with the level";

    for (const std::string order : {"", "newest", "played", "author"}) {
        const json list = parsed(board->shared(order, "", ""));
        ASSERT_EQ(list["levels"].size(), 1u) << order;
        const json& level = list["levels"][0];
        EXPECT_EQ(level["level"], hash);
        EXPECT_EQ(level["file"], "my_first.map");
        EXPECT_EQ(level["author"], "Ada");
        EXPECT_EQ(level["size"], text.size());
        EXPECT_EQ(level["time"], answer["time"]);
        EXPECT_NE(level["description"].get<std::string>().find("wide lane"), std::string::npos);
        EXPECT_EQ(level["shared"].get<std::string>().size(), 20u);
    }
    EXPECT_EQ(parsed(board->shared("", "Ada", "1"))["levels"].size(), 1u);
    EXPECT_TRUE(parsed(board->shared("", "Bea", ""))["levels"].empty());
    EXPECT_EQ(board->shared("oldest", "", "").status, 400);
    EXPECT_EQ(board->shared("", "", "0").status, 400);
    EXPECT_EQ(board->shared("", "", "101").status, 400);

    const api_answer download = board->shared_level(hash);
    EXPECT_EQ(download.status, 200);
    EXPECT_EQ(download.content_type, "text/plain");
    EXPECT_EQ(download.body, text);
    EXPECT_EQ(parsed(board->shared("played", "", ""))["levels"][0]["plays"], 1);
    EXPECT_EQ(board->shared_level("0000000000000000").status, 404);
    EXPECT_EQ(parsed(board->shared_level("0000000000000000"))["reason"], "unknown_level");
    EXPECT_EQ(board->shared_level("../etc/passwd").status, 400);

    const json run = submit("Bea", secret(2), run_on("my_first.map", text), status);
    ASSERT_EQ(status, 200) << run.dump();
    EXPECT_EQ(run["level"], hash);
    EXPECT_EQ(run["rank"], 2) << "the author's equal time was there first";
    EXPECT_EQ(parsed(board->top(hash, ""))["runs"].size(), 2u);

    EXPECT_EQ(refused("my_first.map", text, run_on("my_first.map", text), 409), "already_shared");
    EXPECT_EQ(refused("again.map", level_text("shared"), run_on("again.map", text), 409), "already_shared")
        << "the same bytes under another name";
}

TEST_F(sharing, a_level_is_listed_only_with_a_run_that_finishes_it_on_it)
{
    const std::string text = level_text();
    replay cut = run_on("mine.map", text);
    cut.frames.resize(cut.frames.size() / 2);
    EXPECT_EQ(refused("mine.map", text, cut, 400), "run_unfinished");
    EXPECT_EQ(refused("mine.map", text, author_run("level_01.map"), 400), "other_level");
    EXPECT_EQ(refused("mine.map", text, run_on("other.map", text), 400), "other_level");
    EXPECT_EQ(refused("mine.map", text, run_on("mine.map", level_text("another")), 400), "other_level");
    EXPECT_EQ(parsed(board->share("{\"player\":\"Ada\"}", "127.0.0.1"))["reason"], "broken");
    EXPECT_EQ(refused("mine.map", read_text(shipped_media() / "levels" / "level_01.map"),
                      run_on("mine.map", read_text(shipped_media() / "levels" / "level_01.map")), 409),
              "already_shared")
        << "the game's own level under another name";
    EXPECT_EQ(listed(), 0u);
    EXPECT_EQ(board->player("Ada").status, 404) << "a refused level registers no name";
}

TEST_F(sharing, a_level_the_checker_finds_an_error_in_is_refused_without_the_server_s_folders)
{
    std::string text = level_text();
    text.replace(text.find("level_01.ogg"), 12, "not_shipped.ogg");
    int status = 0;
    const json answer = share("Ada", "noisy.map", text, run_on("noisy.map", text), status);
    EXPECT_EQ(status, 422) << answer.dump();
    EXPECT_EQ(answer["reason"], "checker_error");
    const std::string message = answer["message"];
    EXPECT_EQ(message.rfind("noisy.map:3: ", 0), 0u) << message;
    EXPECT_NE(message.find("not_shipped.ogg"), std::string::npos) << message;
    EXPECT_EQ(message.find(levels.game_data().string()), std::string::npos) << message;
    EXPECT_EQ(message.find("warning"), std::string::npos) << message;

    std::string broken = level_text();
    broken.erase(broken.find("</Level>"));
    EXPECT_EQ(refused("broken.map", broken, run_on("broken.map", broken), 422), "checker_error");
    EXPECT_EQ(listed(), 0u);
}

TEST_F(sharing, file_names_are_plain_map_files_of_their_own)
{
    const std::string text = level_text();
    for (const std::string& file : std::vector<std::string>{".hidden.map", "a.map.txt", "../up.map", "sub/dir.map", "sp ace.map", "x.ma",
                                   "caf\xc3\xa9.map", std::string(61, 'a') + ".map", "back\\slash.map"})
        EXPECT_EQ(refused(file, text, run_on(file, text), 400), "bad_file") << file;
    EXPECT_EQ(refused("level_01.map", text, run_on("level_01.map", text), 409), "name_shipped");

    limit.max_level = text.size() - 1;
    leaderboard small(*store, levels, *pool, per_player, per_address, limit);
    int status = 0;
    const json answer = share("Ada", "big.map", text, run_on("big.map", text), status, &small);
    EXPECT_EQ(status, 413);
    EXPECT_EQ(answer["reason"], "too_large");
    const std::string nul = text + std::string(1, '\0');
    EXPECT_EQ(refused("nul.map", nul, run_on("nul.map", nul), 400), "broken");
    EXPECT_EQ(listed(), 0u);

    // The shortest and longest names allowed.
    EXPECT_EQ(share("Ada", "a.map", text, run_on("a.map", text), status)["status"], "listed");
    const std::string longest = std::string(60, 'Z') + ".map";
    const std::string other = level_text("longest");
    EXPECT_EQ(share("Ada", longest, other, run_on(longest, other), status)["status"], "listed");
}

TEST_F(sharing, a_player_lists_so_many_levels_a_day_counted_from_the_store)
{
    limit.shares_per_day = 1;
    auto daily = std::make_unique<leaderboard>(*store, levels, *pool, per_player, per_address, limit);
    int status = 0;
    const std::string first = level_text("one"), second = level_text("two");
    share("Ada", "one.map", first, run_on("one.map", first), status, daily.get());
    ASSERT_EQ(status, 200);
    json answer = share("Ada", "two.map", second, run_on("two.map", second), status, daily.get());
    EXPECT_EQ(status, 429);
    EXPECT_EQ(answer["reason"], "rate_limited");
    EXPECT_NE(answer["message"].get<std::string>().find("day"), std::string::npos);
    daily = std::make_unique<leaderboard>(*store, levels, *pool, per_player, per_address, limit);
    share("Ada", "two.map", second, run_on("two.map", second), status, daily.get());
    EXPECT_EQ(status, 429) << "a new server counts the shares it did not see";
    EXPECT_EQ(share("Bea", "two.map", second, run_on("two.map", second), status, daily.get())["status"], "listed")
        << "another player still may";
}

TEST_F(sharing, the_listed_name_and_description_lose_control_characters_and_keep_to_their_length)
{
    std::string text = level_text();
    text.replace(text.find("First Roll"), 10, "  Tab&#9;bed\xc2\x85name&#10;  ");
    const std::size_t start = text.find("<Description>") + 13;
    text.replace(start, text.find("</Description>") - start, "\n    Line one,\n    line two.\n  ");
    int status = 0;
    const json answer = share("Ada", "clean.map", text, run_on("clean.map", text), status);
    ASSERT_EQ(status, 200) << answer.dump();
    EXPECT_EQ(answer["name"], "Tab bed name");
    const json level = parsed(board->shared("", "", ""))["levels"][0];
    EXPECT_EQ(level["name"], "Tab bed name");
    EXPECT_EQ(level["description"], "Line one, line two.");
    EXPECT_EQ(board->shared_level(hash_of(text)).body, text) << "the file itself is kept as sent";

    EXPECT_EQ(level_listing::cleaned(std::string(59, 'a') + "\xc3\xa9", 60), std::string(59, 'a'));
    EXPECT_EQ(level_listing::cleaned("\x01\x7f" "a\tb\xc2\x9f" "c ", 60), "a b c");
    EXPECT_EQ(level_listing::cleaned("\xc3\xa9t\xc3\xa9", 60), "\xc3\xa9t\xc3\xa9");
    std::string nameless = level_text();
    nameless.replace(nameless.find(" name=\"First Roll\""), 18, "");
    EXPECT_EQ(level_listing::read("nameless.map", nameless).name, "nameless.map");
    EXPECT_EQ(level_listing::read("long.map", "<Level name=\"" + std::string(100, 'n') + "\"/>").name.size(), 60u);
}
