#include "leaderboard.h"

#include "level_catalog.h"
#include "level_listing.h"
#include "level_review.h"
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

std::string iso_time(std::chrono::system_clock::time_point when)
{
    const std::time_t now = std::chrono::system_clock::to_time_t(when);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::string now_iso()
{
    return iso_time(std::chrono::system_clock::now());
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

bool has_strings(const json& request, std::initializer_list<const char*> keys)
{
    if (!request.is_object())
        return false;
    for (const char* key : keys)
        if (!request.contains(key) || !request[key].is_string())
            return false;
    return true;
}

// 5 to 64 bytes of letters, digits, '_', '-' and '.', ending ".map" and not
// starting with '.': a plain file name on every system the game runs on.
bool is_level_file(const std::string& file)
{
    if (file.size() < 5 || file.size() > 64 || file.front() == '.' || file.compare(file.size() - 4, 4, ".map") != 0)
        return false;
    for (char c : file)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
              c == '.'))
            return false;
    return true;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

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
    if (!has_strings(request, {"player", "secret", "replay"}))
        return refusal(400, "broken", "The request is not a JSON object with the strings player, secret and replay.");
    const std::string name = request["player"].get<std::string>();
    const std::string secret = request["secret"].get<std::string>();
    std::optional<player_record> player;
    if (std::optional<api_answer> refused = identify(name, secret, player, "runs"))
        return *refused;

    const std::string replay_text = request["replay"].get<std::string>();
    ::replay run;
    level_catalog::known_level level;
    if (std::optional<api_answer> refused = check_run(replay_text, run, level))
        return *refused;
    if (std::optional<api_answer> refused = verified(verify_job{level.file, level.text, replay_text}))
        return *refused;
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

std::optional<api_answer> leaderboard::identify(const std::string& name, const std::string& secret,
                                                std::optional<player_record>& player, const std::string& what)
{
    if (const std::string problem = player_name::problem(name); !problem.empty())
        return refusal(400, "bad_name", problem);
    if (!secret_hasher::well_formed(secret))
        return refusal(403, "wrong_secret", "The secret is not the 64 hex digits the game makes.");
    player = store.find_player(name);
    if (player && !secret_hasher::matches(secret, player->salt, player->secret_hash))
        return name_taken(name);
    // Only after the secret, so that nobody else can use up a player's runs.
    if (!per_player.allow(name))
        return refusal(429, "rate_limited", "Too many " + what + " from " + name + "; try again in a minute.");
    return std::nullopt;
}

std::optional<api_answer> leaderboard::verified(const verify_job& job)
{
    const std::optional<run_verdict> verdict = pool.verify(job);
    if (!verdict)
        return refusal(503, "busy", "The server is verifying too many runs; try again later.");
    if (verdict->reason == "failed")
        return answer(json{{"status", "error"}, {"reason", "failed"}, {"message", verdict->message}}, 500);
    if (!verdict->accepted())
        return refusal(400, verdict->reason, verdict->message);
    return std::nullopt;
}

std::optional<api_answer> leaderboard::check_replay(const std::string& text, ::replay& run) const
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
    return std::nullopt;
}

std::optional<api_answer> leaderboard::check_run(const std::string& text, ::replay& run,
                                                 level_catalog::known_level& level) const
{
    if (std::optional<api_answer> refused = check_replay(text, run))
        return refused;
    const std::string hash = hash_hex(run.level_hash);
    if (const level_catalog::known_level* shipped = levels.find(run.level_hash)) {
        level = *shipped;
        return std::nullopt;
    }
    if (std::optional<::shared_level> shared = store.find_shared(hash)) {
        level = level_catalog::known_level{shared->file, std::move(shared->text)};
        return std::nullopt;
    }
    if (levels.knows_file(run.level_file))
        return refusal(400, "hash_differs", "The run was recorded on another version of " + run.level_file +
                                                " than the server knows (hash " + hash + ").");
    return refusal(400, "level_unknown",
                   "The server does not know the level " + run.level_file + " (hash " + hash + ").");
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

api_answer leaderboard::share(const std::string& body, const std::string& address)
{
    if (!per_address.allow(address))
        return refusal(429, "rate_limited", "Too many runs from this address; try again in a minute.");
    const json request = json::parse(body, nullptr, false);
    if (!has_strings(request, {"player", "secret", "file", "level", "replay"}))
        return refusal(400, "broken",
                       "The request is not a JSON object with the strings player, secret, file, level and replay.");
    const std::string name = request["player"].get<std::string>();
    const std::string secret = request["secret"].get<std::string>();
    std::optional<player_record> player;
    if (std::optional<api_answer> refused = identify(name, secret, player, "levels"))
        return *refused;
    // Counted from the store, so that a restart forgets none.
    if (player && store.shares_since(player->id, iso_time(std::chrono::system_clock::now() - std::chrono::hours(24))) >=
                      limit.shares_per_day)
        return refusal(429, "rate_limited", "This server lists " + std::to_string(limit.shares_per_day) +
                                                " levels a day from one player, and " + name +
                                                " has shared as many in the last 24 hours; try again tomorrow.");

    const std::string file = request["file"].get<std::string>();
    const std::string text = request["level"].get<std::string>();
    const std::string replay_text = request["replay"].get<std::string>();
    ::replay run;
    if (std::optional<api_answer> refused = check_level(file, text))
        return *refused;
    if (std::optional<api_answer> refused = check_replay(replay_text, run))
        return *refused;
    const std::uint64_t level_hash = ::replay::hash_text(text);
    if (run.level_hash != level_hash || run.level_file != file)
        return refusal(400, "other_level", "The run was recorded on " + run.level_file + " (hash " +
                                               hash_hex(run.level_hash) + "), not on this " + file + " (hash " +
                                               hash_hex(level_hash) + ").");
    const std::string hash = hash_hex(level_hash);
    if (const level_catalog::known_level* shipped = levels.find(level_hash))
        return refusal(409, "already_shared", "This level is the game's own " + shipped->file + ".");
    if (store.find_shared(hash))
        return refusal(409, "already_shared", "This level is listed already.");
    if (levels.game_data().empty())
        return answer(json{{"status", "error"},
                           {"reason", "failed"},
                           {"message", "The server cannot check levels without the game's data; try again later."}},
                      500);
    const std::vector<std::string> errors = level_review(levels.game_data()).errors(file, text, 3);
    if (!errors.empty())
        return refusal(422, "checker_error", joined(errors));
    if (std::optional<api_answer> refused = verified(verify_job{file, text, replay_text}))
        return *refused;
    if (!player && !(player = registered(name, secret)))
        return name_taken(name);

    const level_listing listing = level_listing::read(file, text);
    ::shared_level level;
    level.level = hash;
    level.file = file;
    level.name = listing.name;
    level.description = listing.description;
    level.author_id = player->id;
    level.shared = now_iso();
    level.text = text;
    const std::optional<run_receipt> receipt =
        store.add_shared_level(level, new_run{player->id, hash, file, run.finish_time, run.coins, level.shared,
                                              replay_text});
    if (!receipt)
        return refusal(409, "already_shared", "This level is listed already.");
    std::fprintf(stderr, "quillax-server: listed the level %s (%s) by %s\n", file.c_str(), hash.c_str(),
                 name.c_str());
    return answer(json{{"status", "listed"},
                       {"level", hash},
                       {"file", file},
                       {"name", level.name},
                       {"time", run.finish_time},
                       {"run_id", receipt->run_id},
                       {"rank", receipt->rank}});
}

std::optional<api_answer> leaderboard::check_level(const std::string& file, const std::string& text) const
{
    if (!is_level_file(file))
        return refusal(400, "bad_file", "A level's file name is 5 to 64 letters, digits, '_', '-' and '.', ending "
                                        "in .map and not starting with '.'.");
    if (levels.knows_file(file))
        return refusal(409, "name_shipped", "The game has a level of its own named " + file +
                                                " and would play that one instead; rename the file.");
    if (text.size() > limit.max_level)
        return refusal(413, "too_large", "The level has " + std::to_string(text.size()) +
                                             " bytes; this server lists levels of up to " +
                                             std::to_string(limit.max_level) + ".");
    // No level file holds one, and PostgreSQL could not keep it.
    if (text.find('\0') != std::string::npos)
        return refusal(400, "broken", "The level's text holds a NUL character.");
    return std::nullopt;
}

api_answer leaderboard::shared(const std::string& order, const std::string& author, const std::string& count)
{
    long long n = 50;
    shared_order by = shared_order::newest;
    if (order == "played")
        by = shared_order::played;
    else if (order == "author")
        by = shared_order::author;
    else if (!order.empty() && order != "newest")
        return refusal(400, "broken", "order is newest, played or author.");
    if (!count.empty() && !read_whole(count, 1, 100, n))
        return refusal(400, "broken", "n is a whole number from 1 to 100.");
    json list = json::array();
    for (const ::shared_level& l : store.list_shared(by, author, int(n)))
        list.push_back(json{{"level", l.level},
                            {"file", l.file},
                            {"name", l.name},
                            {"description", l.description},
                            {"author", l.author},
                            {"shared", l.shared},
                            {"size", l.size},
                            {"time", l.time},
                            {"plays", l.plays}});
    return answer(json{{"levels", std::move(list)}});
}

api_answer leaderboard::shared_level(const std::string& level)
{
    if (!is_level(level))
        return refusal(400, "broken", bad_level);
    std::optional<std::string> text = store.shared_level_text(level);
    if (!text)
        return refusal(404, "unknown_level", "No level of that hash is listed.");
    return api_answer{200, std::move(*text), "text/plain"};
}
