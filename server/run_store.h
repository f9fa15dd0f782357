#pragma once

// Where the leaderboard keeps its players and runs: SQLite in one file
// (sqlite_store) or PostgreSQL (postgres_store), with the same schema and
// migrations (store_schema). Only a player's best run on a level ranks;
// equal times rank the earlier accepted run (the lower run id) first. Every
// method is safe to call from many threads at once and goes through
// prepared statements only.

#include "store_records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class run_store {
public:
    virtual ~run_store() = default;

    virtual std::optional<player_record> find_player(const std::string& name) = 0;
    // Registers `player`; false when the name is taken (perhaps just now,
    // by another request). Sets player.id.
    virtual bool add_player(player_record& player) = 0;
    virtual run_receipt add_run(const new_run& run) = 0;
    // The first `count` players' best runs on `level`, best first.
    virtual std::vector<ranked_run> top(const std::string& level, int count) = 0;
    virtual std::optional<level_rank> rank(const std::string& level, const std::string& player) = 0;
    virtual std::optional<std::string> replay(std::int64_t run_id) = 0;
    // The player's best run on each level, with its rank.
    virtual std::vector<ranked_run> player_bests(std::int64_t player_id) = 0;

    // Lists `level` (its text, file, name, description, author and date)
    // with the author's run, which is added as by add_run, all at once.
    // Nothing when a level of the same hash is listed already (perhaps just
    // now, by another request). Sets level.id and level.run_id.
    virtual std::optional<run_receipt> add_shared_level(shared_level& level, const new_run& run) = 0;
    // The listed level's text, counting one play; nothing when not listed.
    virtual std::optional<std::string> shared_level_text(const std::string& level) = 0;
    // The first `count` listed levels in `order`, of `author` alone unless empty.
    virtual std::vector<shared_level> list_shared(shared_order order, const std::string& author, int count) = 0;
    // How many levels the player listed at or after `since` (ISO 8601, UTC).
    virtual int shares_since(std::int64_t player_id, const std::string& since) = 0;
    // The listed level with its text.
    virtual std::optional<shared_level> find_shared(const std::string& level) = 0;
};
