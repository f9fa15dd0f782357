// The two stores keep the same leaderboard: registering, ranking a
// player's best only, ties to the earlier run, and a schema that is made
// once and found again. SQLite always; PostgreSQL when QUILLAX_TEST_POSTGRES
// names a database to use: each test keeps its tables in a schema of its
// own, so tests run side by side, and drops it at the end.

#include "postgres_store.h"
#include "sqlite_store.h"

#include <gtest/gtest.h>

#include <pqxx/pqxx>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

std::string postgres_address()
{
    const char* address = std::getenv("QUILLAX_TEST_POSTGRES");
    return address ? address : "";
}

class run_stores : public ::testing::TestWithParam<std::string> {
public:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quillax_store_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        if (GetParam() == "postgresql") {
            if (postgres_address().empty())
                GTEST_SKIP() << "QUILLAX_TEST_POSTGRES is not set";
            schema = "quillax_test_" + std::to_string(::getpid());
            pqxx::connection c(postgres_address());
            pqxx::work t(c);
            t.exec("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
            t.exec("CREATE SCHEMA " + schema);
            t.commit();
        }
        store = open();
    }
    void TearDown() override
    {
        store.reset();
        fs::remove_all(folder);
        if (!schema.empty()) {
            pqxx::connection c(postgres_address());
            pqxx::work t(c);
            t.exec("DROP SCHEMA " + schema + " CASCADE");
            t.commit();
        }
    }

    std::unique_ptr<run_store> open()
    {
        if (GetParam() == "postgresql") {
            const std::string address = postgres_address();
            return std::make_unique<postgres_store>(address + (address.find('?') == std::string::npos ? "?" : "&") +
                                                        "options=-c%20search_path%3D" + schema,
                                                    2);
        }
        return std::make_unique<sqlite_store>(folder / "quillax.sqlite");
    }

    std::int64_t player(const std::string& name)
    {
        player_record p{0, name, "salt", "hash", "2026-12-10T02:00:00Z"};
        EXPECT_TRUE(store->add_player(p));
        return p.id;
    }

    run_receipt run(std::int64_t player_id, double time, const std::string& level = "00000000000000aa")
    {
        return store->add_run(new_run{player_id, level, "level_01.map", time, 3, "2026-12-10T02:00:00Z",
                                      "replay " + std::to_string(time)});
    }

    fs::path folder;
    std::string schema;
    std::unique_ptr<run_store> store;
};

}

TEST_P(run_stores, a_name_registers_once)
{
    const std::int64_t ada = player("Ada");
    player_record again{0, "Ada", "other", "other", "2026-12-11T02:00:00Z"};
    EXPECT_FALSE(store->add_player(again));
    const std::optional<player_record> found = store->find_player("Ada");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->id, ada);
    EXPECT_EQ(found->secret_hash, "hash");
    EXPECT_FALSE(store->find_player("ada").has_value());
}

TEST_P(run_stores, only_a_player_s_best_ranks_and_ties_go_to_the_earlier_run)
{
    const std::int64_t ada = player("Ada"), bea = player("Bea"), cid = player("Cid");
    EXPECT_TRUE(run(bea, 12.5).personal_best);
    EXPECT_TRUE(run(ada, 12.5).personal_best);
    const run_receipt slower = run(ada, 13.0);
    EXPECT_FALSE(slower.personal_best);
    EXPECT_EQ(slower.rank, 2);
    const run_receipt tie = run(ada, 12.5);
    EXPECT_FALSE(tie.personal_best) << "an equal time keeps the earlier run";
    const run_receipt fastest = run(cid, 10.25);
    EXPECT_EQ(fastest.rank, 1);
    run(ada, 1.0, "00000000000000bb");

    const std::vector<ranked_run> top = store->top("00000000000000aa", 10);
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(top[0].player, "Cid");
    EXPECT_EQ(top[1].player, "Bea");
    EXPECT_EQ(top[2].player, "Ada");
    EXPECT_EQ(top[2].rank, 3);
    EXPECT_EQ(top[0].time, 10.25);
    EXPECT_EQ(top[0].coins, 3);
    EXPECT_EQ(store->top("00000000000000aa", 1).size(), 1u);
    EXPECT_TRUE(store->top("00000000000000cc", 10).empty());

    const std::optional<level_rank> rank = store->rank("00000000000000aa", "Ada");
    ASSERT_TRUE(rank.has_value());
    EXPECT_EQ(rank->rank, 3);
    EXPECT_EQ(rank->of, 3);
    EXPECT_FALSE(store->rank("00000000000000bb", "Bea").has_value());

    const std::vector<ranked_run> bests = store->player_bests(ada);
    ASSERT_EQ(bests.size(), 2u);
    EXPECT_EQ(bests[0].level, "00000000000000aa");
    EXPECT_EQ(bests[0].rank, 3);
    EXPECT_EQ(bests[1].rank, 1);

    EXPECT_EQ(store->replay(fastest.run_id), "replay 10.250000");
    EXPECT_EQ(store->replay(slower.run_id), "replay 13.000000") << "every accepted run stays downloadable";
    EXPECT_FALSE(store->replay(fastest.run_id + 100).has_value());
}

TEST_P(run_stores, a_time_keeps_every_bit)
{
    const double time = 42.516666666666666;
    run(player("Ada"), time);
    EXPECT_EQ(store->top("00000000000000aa", 1).at(0).time, time);
}

TEST_P(run_stores, the_schema_is_made_once_and_the_leaderboard_found_again)
{
    run(player("Ada"), 9.5);
    store.reset();
    store = open();
    EXPECT_EQ(store->top("00000000000000aa", 10).size(), 1u);
}

TEST_P(run_stores, a_shared_level_is_listed_once_with_its_author_s_run_and_counts_its_plays)
{
    const std::int64_t ada = player("Ada"), bea = player("Bea");
    auto share = [&](std::int64_t author, const std::string& hash, const std::string& when) {
        shared_level level;
        level.level = hash;
        level.file = hash.substr(14) + ".map";
        level.name = "Level " + hash.substr(14);
        level.description = "About " + hash.substr(14);
        level.author_id = author;
        level.shared = when;
        level.text = std::string("<Level>\r\n\xc3\xa9") + hash;
        return store->add_shared_level(
            level, new_run{author, hash, level.file, 20.5, 1, when, "replay of " + hash});
    };
    ASSERT_TRUE(share(bea, "00000000000000aa", "2026-12-09T10:00:00Z").has_value());
    ASSERT_TRUE(share(ada, "00000000000000bb", "2026-12-10T10:00:00Z").has_value());
    ASSERT_TRUE(share(ada, "00000000000000cc", "2026-12-10T10:00:00Z").has_value());
    EXPECT_FALSE(share(bea, "00000000000000bb", "2026-12-10T11:00:00Z").has_value()) << "one hash lists once";
    EXPECT_FALSE(store->rank("00000000000000bb", "Bea").has_value()) << "the refused share's run is not kept";
    EXPECT_EQ(store->top("00000000000000bb", 10).at(0).player, "Ada") << "the author's run ranks";

    auto order = [&](shared_order by, const std::string& author) {
        std::string files;
        for (const shared_level& l : store->list_shared(by, author, 10))
            files += l.file.substr(0, 2) + " ";
        return files;
    };
    EXPECT_EQ(order(shared_order::newest, ""), "cc bb aa ") << "the same date: the later listed first";
    EXPECT_EQ(store->shared_level_text("00000000000000aa"), std::string("<Level>\r\n\xc3\xa9") + "00000000000000aa");
    store->shared_level_text("00000000000000aa");
    store->shared_level_text("00000000000000bb");
    EXPECT_FALSE(store->shared_level_text("00000000000000dd").has_value());
    EXPECT_EQ(order(shared_order::played, ""), "aa bb cc ");
    EXPECT_EQ(order(shared_order::author, ""), "cc bb aa ");
    EXPECT_EQ(order(shared_order::newest, "Bea"), "aa ");
    EXPECT_EQ(order(shared_order::newest, "Nobody"), "");
    EXPECT_EQ(store->list_shared(shared_order::newest, "", 2).size(), 2u);

    const shared_level listed = store->list_shared(shared_order::played, "", 1).at(0);
    EXPECT_EQ(listed.name, "Level aa");
    EXPECT_EQ(listed.description, "About aa");
    EXPECT_EQ(listed.author, "Bea");
    EXPECT_EQ(listed.shared, "2026-12-09T10:00:00Z");
    EXPECT_EQ(listed.size, 27);
    EXPECT_EQ(listed.time, 20.5);
    EXPECT_EQ(listed.plays, 2);
    EXPECT_TRUE(listed.text.empty()) << "lists leave the texts in the store";

    EXPECT_EQ(store->shares_since(ada, "2026-12-10T10:00:00Z"), 2);
    EXPECT_EQ(store->shares_since(ada, "2026-12-10T10:00:01Z"), 0);
    EXPECT_EQ(store->shares_since(bea, "2026-12-09T00:00:00Z"), 1);

    const std::optional<shared_level> found = store->find_shared("00000000000000cc");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->file, "cc.map");
    EXPECT_EQ(found->text, std::string("<Level>\r\n\xc3\xa9") + "00000000000000cc");
    EXPECT_EQ(store->replay(found->run_id), "replay of 00000000000000cc");
    EXPECT_FALSE(store->find_shared("00000000000000dd").has_value());

    store.reset();
    store = open();
    EXPECT_EQ(store->list_shared(shared_order::newest, "", 10).size(), 3u) << "the listing is kept";
}

INSTANTIATE_TEST_SUITE_P(stores, run_stores, ::testing::Values("sqlite", "postgresql"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });
