#include "leaderboard.h"

#include "level_catalog.h"
#include "player_name.h"
#include "rate_limiter.h"
#include "records/physics_version.h"
#include "records/replay.h"
#include "run_store.h"
#include "secret_hasher.h"
#include "verify_pool.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

using nlohmann::json;

api_answer answer(const json& body, int status = 200)
{
    // Stored names of level files may hold any bytes; the answer stays valid UTF-8.
    return api_answer{status, body.dump(-1, ' ', false, json::error_handler_t::replace) + "\n"};
}

std::string hash_hex(std::uint64_t hash)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

bool is_level(const std::string& level)
{
    if (level.size() != 16)
        return false;
    for (char c : level)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

std::string now_iso()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// A whole number from `low` to `high`, written plainly.
bool read_whole(const std::string& text, long long low, long long high, long long& value)
{
    if (text.empty() || text.size() > 18)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value >= low && value <= high;
}

const char* const bad_level = "A level is named by the 16 lower-case hex digits of its hash.";

}

leaderboard::leaderboard(run_store& store, const level_catalog& levels, verify_pool& pool, rate_limiter& per_player,
                         rate_limiter& per_address, limits limit)
    : store(store), levels(levels), pool(pool), per_player(per_player), per_address(per_address), limit(limit)
{
}

api_answer leaderboard::refusal(int status, const std::string& reason, const std::string& message)
{
    return answer(json{{"status", "refused"}, {"reason", reason}, {"message", message}}, status);
}

api_answer leaderboard::submit(const std::string& body, const std::string& address)
{
    if (!per_address.allow(address))
        return refusal(429, "rate_limited", "Too many runs from this address; try again in a minute.");
    const json request = json::parse(body, nullptr, false);
    if (!request.is_object() || !request.contains("player") || !request["player"].is_string() ||
        !request.contains("secret") || !request["secret"].is_string() || !request.contains("replay") ||
        !request["replay"].is_string())
        return refusal(400, "broken", "The request is not a JSON object with the strings player, secret and replay.");
    const std::string name = request["player"].get<std::string>();
    const std::string secret = request["secret"].get<std::string>();
    if (const std::string problem = player_name::problem(name); !problem.empty())
        return refusal(400, "bad_name", problem);
    if (!secret_hasher::well_formed(secret))
        return refusal(403, "wrong_secret", "The secret is not the 64 hex digits the game makes.");
    if (!per_player.allow(name))
        return refusal(429, "rate_limited", "Too many runs from " + name + "; try again in a minute.");

    const std::string replay_text = request["replay"].get<std::string>();
    ::replay run;
    const level_catalog::known_level* level = nullptr;
    if (std::optional<api_answer> refused = check_run(replay_text, run, level))
        return *refused;
    std::optional<player_record> player = store.find_player(name);
    if (player && !secret_hasher::matches(secret, player->salt, player->secret_hash))
        return name_taken(name);

    const std::optional<run_verdict> verdict = pool.verify(verify_job{level->file, level->text, replay_text});
    if (!verdict)
        return refusal(503, "busy", "The server is verifying too many runs; try again later.");
    if (verdict->reason == "failed")
        return answer(json{{"status", "error"}, {"reason", "failed"}, {"message", verdict->message}}, 500);
    if (!verdict->accepted())
        return refusal(400, verdict->reason, verdict->message);
    if (!player && !(player = registered(name, secret)))
        return name_taken(name);

    const std::string hash = hash_hex(run.level_hash);
    const run_receipt receipt =
        store.add_run(new_run{player->id, hash, run.level_file, run.finish_time, run.coins, now_iso(), replay_text});
    return answer(json{{"status", "accepted"},
                       {"run_id", receipt.run_id},
                       {"level", hash},
                       {"time", run.finish_time},
                       {"coins", run.coins},
                       {"rank", receipt.rank},
                       {"personal_best", receipt.personal_best}});
}

std::optional<api_answer> leaderboard::check_run(const std::string& text, ::replay& run,
                                                 const level_catalog::known_level*& level) const
{
    std::string error;
    if (!::replay::parse(text, run, error))
        return refusal(400, "broken", "The replay cannot be read: " + error + ".");
    if (run.frames.size() > limit.max_frames)
        return refusal(413, "too_large", "The run has " + std::to_string(run.frames.size()) +
                                             " frames; this server verifies runs of up to " +
                                             std::to_string(limit.max_frames) + ".");
    // The physics steps at a fixed rate whatever the frames' time steps, so
    // the play time bounds the work as much as the frame count does.
    double played = 0.0;
    for (const replay_frame& frame : run.frames)
        played += double(frame.dt);
    if (played > double(limit.max_frames) / 60.0)
        return refusal(413, "too_large", "The run lasts " + std::to_string(long(played)) +
                                             " s; this server verifies runs of up to " +
                                             std::to_string(limit.max_frames / 60) + " s.");
    if (run.physics != current_physics_version)
        return refusal(400, "version_unsupported",
                       "The run was recorded with physics version " + std::to_string(run.physics) +
                           "; this server runs physics version " + std::to_string(current_physics_version) + ".");
    level = levels.find(run.level_hash);
    const std::string hash = hash_hex(run.level_hash);
    if (!level && levels.knows_file(run.level_file))
        return refusal(400, "hash_differs", "The run was recorded on another version of " + run.level_file +
                                                " than the server knows (hash " + hash + ").");
    if (!level)
        return refusal(400, "level_unknown", "The server does not know the level " + run.level_file + " (hash " +
                                                 hash + ").");
    return std::nullopt;
}

std::optional<player_record> leaderboard::registered(const std::string& name, const std::string& secret)
{
    player_record fresh{0, name, secret_hasher::new_salt(), std::string(), now_iso()};
    fresh.secret_hash = secret_hasher::hash(secret, fresh.salt);
    if (store.add_player(fresh)) {
        std::fprintf(stderr, "quillax-server: registered the player %s\n", name.c_str());
        return fresh;
    }
    // Registered by another request since this one looked: the same player
    // sending twice, or someone else.
    std::optional<player_record> player = store.find_player(name);
    if (player && secret_hasher::matches(secret, player->salt, player->secret_hash))
        return player;
    return std::nullopt;
}

api_answer leaderboard::name_taken(const std::string& name)
{
    return refusal(409, "name_taken", "The name " + name + " is taken by another player; choose another name.");
}

api_answer leaderboard::top(const std::string& level, const std::string& count)
{
    long long n = 10;
    if (!is_level(level))
        return refusal(400, "broken", bad_level);
    if (!count.empty() && !read_whole(count, 1, 100, n))
        return refusal(400, "broken", "n is a whole number from 1 to 100.");
    json runs = json::array();
    for (const ranked_run& r : store.top(level, int(n)))
        runs.push_back(json{{"rank", r.rank},
                            {"player", r.player},
                            {"time", r.time},
                            {"coins", r.coins},
                            {"run_id", r.run_id},
                            {"submitted", r.submitted}});
    return answer(json{{"level", level}, {"runs", std::move(runs)}});
}

api_answer leaderboard::rank(const std::string& level, const std::string& player)
{
    if (!is_level(level))
        return refusal(400, "broken", bad_level);
    const std::optional<level_rank> found = store.rank(level, player);
    if (!found)
        return refusal(404, "not_ranked", "The player has no run on this level.");
    return answer(json{{"rank", found->rank}, {"time", found->time}, {"of", found->of}});
}

api_answer leaderboard::replay(const std::string& run_id)
{
    long long id = 0;
    std::optional<std::string> text;
    if (read_whole(run_id, 1, 999999999999999999LL, id))
        text = store.replay(id);
    if (!text)
        return refusal(404, "unknown_run", "There is no run " + run_id + ".");
    return api_answer{200, *text, "text/plain"};
}

api_answer leaderboard::player(const std::string& name)
{
    const std::optional<player_record> found = store.find_player(name);
    if (!found)
        return refusal(404, "unknown_player", "There is no player of that name.");
    json runs = json::array();
    for (const ranked_run& r : store.player_bests(found->id))
        runs.push_back(json{
            {"level", r.level}, {"level_file", r.level_file}, {"time", r.time}, {"rank", r.rank}, {"run_id", r.run_id}});
    return answer(json{{"name", found->name}, {"registered", found->registered}, {"runs", std::move(runs)}});
}

api_answer leaderboard::health() const
{
    return answer(json{{"status", "ok"}, {"physics", json::array({current_physics_version})}});
}
