#pragma once

// The player's secret: 64 hexadecimal digits from the kernel's random
// source, made at the first submission and kept in a file of its own in the
// config folder, readable by the player alone (mode 0600). The server keeps
// only its hash; whoever holds it submits under the player's name, so it
// is never shown, logged or sent anywhere but to the server.

#include <filesystem>
#include <string>

class player_secret {
public:
    // The secret in `file`; when there is none, a new one written there
    // first. A file that holds no secret is set aside (logged), never
    // overwritten. Empty, with `error` set, when no secret can be had.
    static std::string load_or_make(const std::filesystem::path& file, std::string& error);
    // 64 fresh hexadecimal digits; empty when the random source fails.
    static std::string make();
    static bool well_formed(const std::string& secret);
};
