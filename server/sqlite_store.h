#pragma once

// The leaderboard in one SQLite file (write-ahead log, foreign keys on,
// every commit synced). One connection serves every thread in turn: the
// statements it runs take microseconds, and SQLite writes one at a time
// anyway. Throws std::runtime_error when the file cannot be opened or
// migrated, naming the file.

#include "run_store.h"

#include <filesystem>
#include <memory>
#include <mutex>

struct sqlite3;
class sqlite_statement;

class sqlite_store : public run_store {
public:
    explicit sqlite_store(const std::filesystem::path& file);
    ~sqlite_store() override;

    std::optional<player_record> find_player(const std::string& name) override;
    bool add_player(player_record& player) override;
    run_receipt add_run(const new_run& run) override;
    std::vector<ranked_run> top(const std::string& level, int count) override;
    std::optional<level_rank> rank(const std::string& level, const std::string& player) override;
    std::optional<std::string> replay(std::int64_t run_id) override;
    std::vector<ranked_run> player_bests(std::int64_t player_id) override;
    std::optional<run_receipt> add_shared_level(shared_level& level, const new_run& run) override;
    std::optional<std::string> shared_level_text(const std::string& level) override;
    std::vector<shared_level> list_shared(shared_order order, const std::string& author, int count) override;
    int shares_since(std::int64_t player_id, const std::string& since) override;
    std::optional<shared_level> find_shared(const std::string& level) override;

private:
    void close();
    void migrate(const std::filesystem::path& file);
    void execute(const std::string& sql);
    int rank_of(const std::string& level, double time, std::int64_t run_id);
    // add_run's work, inside a transaction the caller holds.
    run_receipt insert_run(const new_run& run);
    static shared_level listed(const sqlite_statement& row);

    sqlite3* db = nullptr;
    std::mutex lock;
    std::unique_ptr<sqlite_statement> find_player_sql, add_player_sql, add_run_sql, best_sql, set_best_sql,
        ahead_sql, count_sql, top_sql, player_best_sql, replay_sql, player_bests_sql, begin_sql, commit_sql,
        rollback_sql, add_shared_sql, shared_text_sql, newest_sql, played_sql, by_author_sql, shares_since_sql,
        find_shared_sql;
};
