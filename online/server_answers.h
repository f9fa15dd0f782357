#pragma once

// Reading what a leaderboard server answers. Nothing it sends is trusted:
// an answer that is not JSON, lacks a field, has one of the wrong kind or a
// number out of range, or is longer than the game ever needs is refused
// whole with a reason for the log, and the game goes on as if there had
// been no answer.

#include <cstddef>
#include <string>
#include <vector>

struct http_reply;

// What became of a submitted run.
struct submit_answer {
    enum verdict {
        // Ranked: `rank` on its level.
        accepted,
        // Refused for good (`reason`, `message`): sending it again changes nothing.
        refused,
        // No verdict (busy, rate limited, no connection, a broken answer): try later.
        later,
    };
    verdict outcome = later;
    std::string reason;
    std::string message;
    int rank = 0;
    long long run_id = 0;
    double time = 0.0;
};

struct board_run {
    int rank = 0;
    std::string player;
    double time = 0.0;
    int coins = 0;
    long long run_id = 0;
};

struct rank_answer {
    // False when the player has no run on the level.
    bool ranked = false;
    int rank = 0;
    double time = 0.0;
    int of = 0;
};

class server_answers {
public:
    // No JSON answer the game reads is longer.
    static constexpr std::size_t most_bytes = 256 * 1024;

    // Never fails: what cannot be read is `later`, with the reason in `message`.
    static submit_answer submit(const http_reply& reply);
    // A level's top list, best first; false with `error` when refused.
    static bool top(const http_reply& reply, std::vector<board_run>& out, std::string& error);
    static bool rank(const http_reply& reply, rank_answer& out, std::string& error);
};
