#pragma once

// One run to verify: the server's own copy of the level the replay's hash
// names, and the replay's text as submitted.

#include <string>

struct verify_job {
    std::string level_file;
    std::string level_text;
    std::string replay_text;
};
