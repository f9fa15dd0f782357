#pragma once

// Reading the fields of a server's JSON answer, each checked for its kind
// and range: what the game's answer readers share.

#include <nlohmann/json.hpp>

#include <string>

struct http_reply;

class json_fields {
public:
    // The longest run a replay holds is far shorter than this, in seconds.
    static constexpr double longest_time = 1e7;

    // The answer's JSON object; false (with `error`) for anything else or
    // for an answer longer than `most_bytes`.
    static bool object_of(const http_reply& reply, std::size_t most_bytes, nlohmann::json& out, std::string& error);
    static bool text(const nlohmann::json& object, const char* name, std::string& out);
    static bool whole(const nlohmann::json& object, const char* name, long long least, long long most, long long& out);
    // A time in seconds: finite, not negative, below longest_time.
    static bool time(const nlohmann::json& object, const char* name, double& out);
};
