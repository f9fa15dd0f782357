#pragma once

// The leaderboard's API apart from HTTP: each request's parameters in, its
// status and JSON body out. A submitted run is checked from the cheapest
// test to the dearest (the address's rate, the body, the name and secret,
// the player's rate, the replay's form, version and level) before it is played
// again on the verification pool; only a run the pool accepts is stored, and
// a new name is registered only with its first accepted run. A shared level
// comes with its author's run and is listed only once the level checker
// finds no error in it and the pool sees the run finish it; runs on it are
// taken like runs on a shipped level from then on. Nothing of a request
// ever names a file of the server's. Safe to call from many threads.

#include "api_answer.h"
#include "level_catalog.h"
#include "store_records.h"

#include <cstddef>
#include <optional>
#include <string>

class replay;
class rate_limiter;
class run_store;
class verify_pool;
struct verify_job;

class leaderboard {
public:
    struct limits {
        // Replays of more frames, or of more play time than as many frames at
        // 60 a second, are refused as too large before they are played.
        std::size_t max_frames = 216000;
        // Levels one player may list in 24 hours.
        int shares_per_day = 10;
        // The largest level file listed, in bytes.
        std::size_t max_level = 262144;
    };

    leaderboard(run_store& store, const level_catalog& levels, verify_pool& pool, rate_limiter& per_player,
                rate_limiter& per_address, limits limit);

    // POST /api/v1/runs, with the body already decompressed.
    api_answer submit(const std::string& body, const std::string& address);
    // GET /api/v1/levels/HASH/top?n=N (`count` as sent; empty for the default).
    api_answer top(const std::string& level, const std::string& count);
    // GET /api/v1/levels/HASH/rank?player=NAME
    api_answer rank(const std::string& level, const std::string& player);
    // GET /api/v1/runs/ID/replay
    api_answer replay(const std::string& run_id);
    // GET /api/v1/players/NAME
    api_answer player(const std::string& name);
    // GET /api/v1/health
    api_answer health() const;
    // POST /api/v1/levels, with the body already decompressed.
    api_answer share(const std::string& body, const std::string& address);
    // GET /api/v1/shared?order=O&author=NAME&n=N (each as sent; empty when not).
    api_answer shared(const std::string& order, const std::string& author, const std::string& count);
    // GET /api/v1/shared/HASH: the level's text, counting a play.
    api_answer shared_level(const std::string& level);

    // A refusal as the API words it.
    static api_answer refusal(int status, const std::string& reason, const std::string& message);

private:
    // Reads and checks a replay before it is played: a refusal, or nothing
    // with `run` read and `level` the server's copy of its level, shipped
    // or shared.
    std::optional<api_answer> check_run(const std::string& text, ::replay& run,
                                        level_catalog::known_level& level) const;
    // The checks of check_run that need no level: form, size and version.
    std::optional<api_answer> check_replay(const std::string& text, ::replay& run) const;
    // The name's rules and secret, then the player's rate: a refusal, or
    // nothing with `player` found (or not, for a name not yet registered).
    std::optional<api_answer> identify(const std::string& name, const std::string& secret,
                                       std::optional<player_record>& player, const std::string& what);
    // The pool's verdict on a run as the API answers it; nothing when accepted.
    std::optional<api_answer> verified(const verify_job& job);
    // A shared level's file name, size and bytes: a refusal, or nothing.
    std::optional<api_answer> check_level(const std::string& file, const std::string& text) const;
    // Registers `name` with `secret` after its first accepted run; nothing
    // when someone else took the name meanwhile.
    std::optional<player_record> registered(const std::string& name, const std::string& secret);
    static api_answer name_taken(const std::string& name);

    run_store& store;
    const level_catalog& levels;
    verify_pool& pool;
    rate_limiter& per_player;
    rate_limiter& per_address;
    limits limit;
};
