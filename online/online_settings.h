#pragma once

// What the player set on the Online page: on or off, the name the world
// sees, and the server's address. Kept in a file of its own beside the
// game's settings ("online"), written only when the player changes it, so
// a game that never went online writes nothing. Lines are `key = value`;
// a line starting with # is a comment (a name may hold '#').

#include <filesystem>
#include <string>

struct online_settings {
    bool on = false;
    std::string player_name;
    // "http://host:port" or "https://host", with or without a path before /api.
    std::string server_address;

    // Online play happens only when switched on with an address.
    bool active() const { return on && !server_address.empty(); }
    std::string to_text() const;
    // Defaults when `file` is missing; a file that cannot be read is set
    // aside (logged) and the defaults are used.
    static online_settings load(const std::filesystem::path& file);
    // Empty when `address` can be asked, otherwise why not, for the player.
    static std::string address_problem(const std::string& address);
};
