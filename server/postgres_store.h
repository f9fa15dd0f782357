#pragma once

// The leaderboard in PostgreSQL (libpqxx), for several server processes on
// one database: a small pool of connections, each with the statements
// prepared. A player's best changes only to a faster run, whichever of two
// racing servers writes last. Throws
// std::runtime_error when the database cannot be reached or migrated.

#include "run_store.h"

// pqxx::connection is an alias, which cannot be declared ahead.
#include <pqxx/connection>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class postgres_store : public run_store {
public:
    explicit postgres_store(const std::string& address, int connections = 8);
    ~postgres_store() override;

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
    void migrate(pqxx::connection& c);
    void prepare(pqxx::connection& c);
    // Runs `work` on a free connection, waiting for one.
    void with_connection(const std::function<void(pqxx::connection&)>& work);

    std::mutex lock;
    std::condition_variable freed;
    std::vector<std::unique_ptr<pqxx::connection>> idle;
};
