#pragma once

// The rows the leaderboard keeps and answers with, as run_store passes them.
// Levels are the 16 lower-case hex digits of their hash; times are seconds.

#include <cstdint>
#include <string>

struct player_record {
    std::int64_t id = 0;
    std::string name;
    std::string salt;         // hex
    std::string secret_hash;  // hex, see secret_hasher
    std::string registered;   // ISO 8601, UTC
};

struct new_run {
    std::int64_t player_id = 0;
    std::string level;
    std::string level_file;
    double time = 0.0;
    int coins = 0;
    std::string submitted;
    std::string replay;
};

// What adding a run did: its id, the player's rank on the level after it,
// and whether it became the player's best there.
struct run_receipt {
    std::int64_t run_id = 0;
    int rank = 0;
    bool personal_best = false;
};

// A player's best run on a level, with its place among every player's best.
struct ranked_run {
    int rank = 0;
    std::string player;
    std::string level;
    std::string level_file;
    double time = 0.0;
    int coins = 0;
    std::int64_t run_id = 0;
    std::string submitted;
};

struct level_rank {
    int rank = 0;
    double time = 0.0;
    int of = 0;
};

// A level an author shared with the run that finished it. `name` and
// `description` are as listed (cleaned); `author` and `time` come from the
// author's player and run; `text` is the file's bytes, filled by find_shared
// only (listings leave it empty).
struct shared_level {
    std::int64_t id = 0;
    std::string level;
    std::string file;
    std::string name;
    std::string description;
    std::int64_t author_id = 0;
    std::string author;
    std::string shared;  // ISO 8601, UTC
    std::int64_t size = 0;
    double time = 0.0;
    std::int64_t run_id = 0;
    std::int64_t plays = 0;
    std::string text;
};

// How a list of shared levels is sorted; each ends on the newest first.
enum class shared_order { newest, played, author };
