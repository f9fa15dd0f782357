// Any bytes as the server's answer to a submitted run, under the statuses
// it uses: the game always reaches a verdict, and only an answer that says
// so leaves the run ranked.

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
    for (const int status : {200, 400, 403, 409, 413, 429, 503}) {
        reply.status = status;
        const submit_answer answer = server_answers::submit(reply);
        if (answer.outcome == submit_answer::accepted && (status != 200 || answer.rank < 1))
            std::abort();
    }
    return 0;
}
