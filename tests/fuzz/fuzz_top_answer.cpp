// Any bytes as a level's top list: a list the game takes holds at most 100
// runs, each with a name a player may have and a time that can be shown.

#include "online/http_transport.h"
#include "online/player_name.h"
#include "online/server_answers.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    http_reply reply;
    reply.status = 200;
    reply.body.assign(reinterpret_cast<const char*>(data), size);
    std::vector<board_run> runs;
    std::string error;
    if (!server_answers::top(reply, runs, error))
        return 0;
    if (runs.size() > 100)
        std::abort();
    for (const board_run& run : runs)
        if (!player_name::problem(run.player).empty() || !std::isfinite(run.time) || run.time < 0 || run.rank < 1)
            std::abort();
    return 0;
}
