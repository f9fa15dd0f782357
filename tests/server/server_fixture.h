#pragma once

// A leaderboard as the server runs it, minus HTTP: SQLite in a fresh
// temporary folder, the game's shipped levels, the real verification
// workers (the built quillax-server program) and rate limits generous
// enough not to get in the way unless a test tightens them. Also the
// shipped author runs, the game's own recorded runs, to submit and tamper
// with.

#include "leaderboard.h"
#include "level_catalog.h"
#include "rate_limiter.h"
#include "records/replay.h"
#include "sqlite_store.h"
#include "verify_pool.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

class server_fixture : public ::testing::Test {
public:
    server_fixture();
    ~server_fixture() override;

    static std::filesystem::path shipped_media();
    static std::string read_text(const std::filesystem::path& path);
    // The shipped author run of `level_file`, parsed.
    static replay author_run(const std::string& level_file);
    // A fresh secret of the game's form, different for each `seed`.
    static std::string secret(int seed);
    static std::string body(const std::string& player, const std::string& secret, const std::string& replay_text);

    // Submits and parses the answer; the status goes to `status`.
    nlohmann::json submit(const std::string& player, const std::string& secret, const replay& run, int& status);
    nlohmann::json parsed(const api_answer& answer);

    std::filesystem::path folder;
    std::unique_ptr<sqlite_store> store;
    level_catalog levels;
    std::unique_ptr<verify_pool> pool;
    rate_limiter per_player{0, 0};
    rate_limiter per_address{0, 0};
    leaderboard::limits limit{5000};
    std::unique_ptr<leaderboard> board;
};
