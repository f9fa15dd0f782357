#pragma once

// The messages between the server and its verification workers over a
// socket: a list of byte strings, written as "COUNT\n" and, for each,
// "LENGTH\n" followed by the bytes. Reading stops at `max_bytes` in all, so
// a broken peer can never make the reader hold more than that.

#include <chrono>
#include <string>
#include <vector>

class wire_message {
public:
    // False when the peer is gone.
    static bool write(int fd, const std::vector<std::string>& fields);
    // False when the peer is gone, sends nonsense or more than `max_bytes`,
    // or (with a deadline) has not sent the whole message by then.
    static bool read(int fd, std::vector<std::string>& fields, std::size_t max_bytes);
    static bool read(int fd, std::vector<std::string>& fields, std::size_t max_bytes,
                     std::chrono::steady_clock::time_point deadline);
};
