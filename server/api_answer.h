#pragma once

// One answer of the leaderboard's API, before it goes out over HTTP.

#include <string>

struct api_answer {
    int status = 200;
    std::string body;
    std::string content_type = "application/json";
};
