#include "server_answers.h"

#include "http_transport.h"
#include "json_fields.h"
#include "player_name.h"

#include <nlohmann/json.hpp>

#include <climits>

using json = nlohmann::json;

namespace {

constexpr long long most_rank = 1000000000;

bool object_of(const http_reply& reply, json& out, std::string& error)
{
    return json_fields::object_of(reply, server_answers::most_bytes, out, error);
}

}

submit_answer server_answers::submit(const http_reply& reply)
{
    submit_answer answer;
    json body;
    std::string error;
    if (!object_of(reply, body, error)) {
        // A refusal by its status alone is still a refusal: sending it again would only be refused again.
        const bool final = reply.status >= 400 && reply.status < 500 && reply.status != 429 && reply.status != 408;
        answer.outcome = final ? submit_answer::refused : submit_answer::later;
        answer.reason = final ? "unreadable" : "";
        answer.message = error;
        return answer;
    }
    std::string status;
    json_fields::text(body, "status", status);
    if (reply.status == 200 && status == "accepted") {
        long long rank = 0;
        if (json_fields::whole(body, "rank", 1, most_rank, rank) && json_fields::whole(body, "run_id", 1, LLONG_MAX, answer.run_id) &&
            json_fields::time(body, "time", answer.time)) {
            answer.outcome = submit_answer::accepted;
            answer.rank = int(rank);
            return answer;
        }
        answer.message = "the server accepted the run but its answer lacks the rank, run or time";
        return answer;
    }
    json_fields::text(body, "reason", answer.reason);
    json_fields::text(body, "message", answer.message);
    if (answer.message.size() > 500)
        answer.message.resize(500);
    if (reply.status == 503 || reply.status == 429 || reply.status == 408 || reply.status >= 500 ||
        answer.reason == "busy" || answer.reason == "rate_limited") {
        answer.outcome = submit_answer::later;
        return answer;
    }
    answer.outcome = reply.status >= 400 ? submit_answer::refused : submit_answer::later;
    if (answer.reason.empty())
        answer.reason = "HTTP " + std::to_string(reply.status);
    return answer;
}

bool server_answers::top(const http_reply& reply, std::vector<board_run>& out, std::string& error)
{
    json body;
    if (!object_of(reply, body, error))
        return false;
    const auto runs = body.find("runs");
    if (reply.status != 200 || runs == body.end() || !runs->is_array() || runs->size() > 100) {
        error = "the top list (HTTP " + std::to_string(reply.status) + ") has no list of at most 100 runs";
        return false;
    }
    std::vector<board_run> read;
    for (const json& each : *runs) {
        board_run run;
        long long rank = 0, coins = 0;
        if (!each.is_object() || !json_fields::whole(each, "rank", 1, most_rank, rank) ||
            !json_fields::text(each, "player", run.player) || !player_name::problem(run.player).empty() ||
            !json_fields::time(each, "time", run.time) || !json_fields::whole(each, "coins", 0, 1000000, coins) ||
            !json_fields::whole(each, "run_id", 1, LLONG_MAX, run.run_id)) {
            error = "run " + std::to_string(read.size() + 1) + " of the top list lacks a field or has a bad one";
            return false;
        }
        run.rank = int(rank);
        run.coins = int(coins);
        read.push_back(run);
    }
    out = std::move(read);
    return true;
}

bool server_answers::rank(const http_reply& reply, rank_answer& out, std::string& error)
{
    json body;
    if (!object_of(reply, body, error))
        return false;
    std::string reason;
    if (reply.status == 404 && json_fields::text(body, "reason", reason) && reason == "not_ranked") {
        out = rank_answer{};
        return true;
    }
    rank_answer read;
    long long rank = 0, of = 0;
    if (reply.status != 200 || !json_fields::whole(body, "rank", 1, most_rank, rank) ||
        !json_fields::whole(body, "of", 1, most_rank, of) || !json_fields::time(body, "time", read.time) || rank > of) {
        error = "the rank (HTTP " + std::to_string(reply.status) + ") lacks a field or has a bad one";
        return false;
    }
    read.ranked = true;
    read.rank = int(rank);
    read.of = int(of);
    out = read;
    return true;
}
