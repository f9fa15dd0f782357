#pragma once

// The requests the game makes of a leaderboard server, built from its
// address: submitting a run, a level's top list, a player's rank on it, and
// a ranked run's replay; sharing a level, the shared levels' list and one
// shared level's file. Levels are named by the 16 hexadecimal digits of
// their file's hash, as the replay holds it. What comes back is read by
// server_answers.

#include "http_transport.h"

#include <cstdint>
#include <string>

class server_api {
public:
    // A replay is at most 2,000,000 frames of about 55 bytes; an hour is 12 MB.
    static constexpr std::size_t most_replay_bytes = 64u * 1024 * 1024;
    // The game loads no larger level file (see level_limits).
    static constexpr std::size_t most_level_bytes = 16u * 1024 * 1024;

    explicit server_api(std::string address);

    http_request submit(const std::string& player, const std::string& secret, const std::string& replay_text) const;
    http_request top(std::uint64_t level_hash, int count) const;
    http_request rank(std::uint64_t level_hash, const std::string& player) const;
    http_request replay(long long run_id) const;
    // A level file and the replay of a run that finishes it, to be shared.
    http_request share(const std::string& player, const std::string& secret, const std::string& file,
                       const std::string& level_text, const std::string& replay_text) const;
    // The shared levels: `order` "newest", "played" or "author"; `author`
    // empty for everyone's.
    http_request shared_list(const std::string& order, const std::string& author) const;
    // A shared level's file.
    http_request shared_level(std::uint64_t level_hash) const;

    static std::string level_name(std::uint64_t level_hash);
    // `text` with every byte but letters, digits and -._~ as %XX.
    static std::string escaped(const std::string& text);

private:
    std::string base;
};
