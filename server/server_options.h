#pragma once

// quillax-server's command line. Every option has a default but the place
// to keep the leaderboard: --data DIR (SQLite) or --database URL
// (PostgreSQL).

#include <cstddef>
#include <string>
#include <vector>

struct server_options {
    std::string data_folder;
    std::string database;
    std::vector<std::string> level_folders;
    std::string host = "127.0.0.1";
    int port = 8080;
    unsigned workers = 0;  // 0: one per core
    std::size_t queue = 32;
    int job_seconds = 60;
    int timeout_seconds = 20;
    std::size_t max_frames = 216000;
    std::size_t max_body = 4u << 20;
    std::size_t max_unpacked = 16u << 20;
    double player_rate = 6;
    double address_rate = 30;
    double request_rate = 1200;
    int shares_per_day = 10;
    std::size_t max_level = 262144;
    bool help = false;

    // Reads argv; false with `error` set for anything it cannot use.
    bool parse(int argc, char** argv, std::string& error);
    static std::string usage();
};
