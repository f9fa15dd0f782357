#pragma once

// Reading what a leaderboard server answers about shared levels: the list
// of levels players have shared, and the verdict on a level sent to be
// shared. As with every answer, nothing is trusted: a list with a broken
// entry is refused whole, and texts are cut to what the screen shows and
// cleaned of control characters, whatever the server says it did.

#include <cstdint>
#include <string>
#include <vector>

struct http_reply;

// One shared level as the list names it.
struct shared_level {
    std::uint64_t hash = 0;
    std::string file;
    std::string name;
    std::string description;
    std::string author;
    std::string shared;  // ISO 8601, UTC
    long long size = 0;  // bytes of the level file
    double time = 0.0;   // the author's finishing time, seconds
    long long plays = 0;
};

// What became of a level sent to be shared.
struct share_answer {
    enum verdict {
        // Listed: the author's run ranks `rank` on it.
        listed,
        // Refused for good (`reason`, `message`): sending it again changes nothing.
        refused,
        // No verdict (busy, rate limited, no connection): try later.
        later,
    };
    verdict outcome = later;
    std::string reason;
    std::string message;
    double time = 0.0;
};

class shared_answers {
public:
    static constexpr std::size_t most_bytes = 512 * 1024;

    static share_answer share(const http_reply& reply);
    // False with `error` when the list cannot be read.
    static bool list(const http_reply& reply, std::vector<shared_level>& out, std::string& error);
    // `text` without control characters (each becomes a space), trimmed, and
    // at most `most` bytes long, cut where a UTF-8 character begins.
    static std::string cleaned(const std::string& text, std::size_t most);
};
