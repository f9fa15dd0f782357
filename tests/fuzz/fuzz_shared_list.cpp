// Any bytes as the list of shared levels: a list the game takes holds at
// most 100 levels, each with a plain file name, a name a player may have,
// and texts without control characters that fit the screen.

#include "level/level_files.h"
#include "online/http_transport.h"
#include "online/player_name.h"
#include "online/shared_answers.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool has_control(const std::string& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return true;
    return false;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    http_reply reply;
    reply.status = 200;
    reply.body.assign(reinterpret_cast<const char*>(data), size);
    std::vector<shared_level> levels;
    std::string error;
    if (!shared_answers::list(reply, levels, error))
        return 0;
    if (levels.size() > 100)
        std::abort();
    for (const shared_level& level : levels)
        if (!level_files::is_plain_name(level.file) || !player_name::problem(level.author).empty() ||
            has_control(level.name) || has_control(level.description) || level.name.size() > 60 ||
            level.description.size() > 300 || !std::isfinite(level.time) || level.time < 0 || level.size < 1)
            std::abort();
    return 0;
}
