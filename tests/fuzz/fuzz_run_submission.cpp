// Any bytes as the body of a submitted run: the leaderboard answers each
// with a status and a JSON body of the API's form, and never plays, stores
// or registers anything for a body it refuses. The shipped levels are known,
// so a body that gets as far as the verifier is checked by a worker that
// refuses everything.

#include "leaderboard.h"
#include "level_catalog.h"
#include "rate_limiter.h"
#include "sqlite_store.h"
#include "verify_pool.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct server {
    server()
        : store(":memory:"),
          // A worker that leaves at once: a body that reaches the verifier fails there.
          pool("/bin/true", 1, 4, std::chrono::seconds(5)), per_player(0, 0), per_address(0, 0),
          board(store, levels, pool, per_player, per_address, leaderboard::limits{5000})
    {
        levels.add_folder(std::filesystem::path(QUILLAX_MATERIALS_DIR).parent_path() / "levels");
    }
    sqlite_store store;
    level_catalog levels;
    verify_pool pool;
    rate_limiter per_player;
    rate_limiter per_address;
    leaderboard board;
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static server s;
    const api_answer answer = s.board.submit(std::string(reinterpret_cast<const char*>(data), size), "127.0.0.1");
    const nlohmann::json body = nlohmann::json::parse(answer.body, nullptr, false);
    if (!body.is_object() || !body.contains("status") || !body.contains("reason") || !body.contains("message"))
        std::abort();
    if (answer.status == 200 || (answer.status != 500 && body["status"] != "refused"))
        std::abort();
    return 0;
}
