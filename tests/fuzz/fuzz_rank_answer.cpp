// Any bytes as the player's rank on a level: a rank the game takes lies
// between 1 and the count of ranked players.

#include "online/http_transport.h"
#include "online/server_answers.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    http_reply reply;
    reply.body.assign(reinterpret_cast<const char*>(data), size);
    for (const int status : {200, 404}) {
        reply.status = status;
        rank_answer rank;
        std::string error;
        if (server_answers::rank(reply, rank, error) && rank.ranked && (rank.rank < 1 || rank.rank > rank.of))
            std::abort();
    }
    return 0;
}
