#include "online_service.h"

#include "app/log.h"
#include "app/safe_file.h"
#include "http_transport.h"
#include "online_worker.h"
#include "player_secret.h"
#include "server_api.h"

#include <cmath>

online_service::online_service(std::filesystem::path config_folder, std::filesystem::path data_folder,
                               transport_maker make_transport)
    : config_folder(std::move(config_folder)), data_folder(std::move(data_folder)),
      make_transport(std::move(make_transport)), chosen(online_settings::load(settings_file()))
{
    if (chosen.active())
        start();
    else
        log_line("Online play is off");
}

online_service::~online_service() = default;

std::string online_service::change(const online_settings& next)
{
    const bool same_place = next.server_address == chosen.server_address && next.player_name == chosen.player_name;
    chosen = next;
    trouble.clear();
    const std::string failed = safe_file::write(settings_file(), chosen.to_text());
    if (!chosen.active()) {
        if (worker)
            log_line("Online play is off");
        worker.reset();
        in_flight.clear();
        return failed;
    }
    if (!worker || !same_place) {
        // Another server or name: what was known is not known there.
        worker.reset();
        in_flight.clear();
        boards.clear();
        records.clear();
        start();
    }
    return failed;
}

void online_service::start()
{
    if (!transport)
        transport = make_transport();
    if (!waiting)
        waiting = std::make_unique<run_queue>(queue_file());
    worker = std::make_unique<online_worker>();
    log_line("Online play is on: " + chosen.server_address + " as " +
             (chosen.player_name.empty() ? std::string("(no name yet)") : chosen.player_name));
    // Runs left from an earlier session go at once.
    next_try = clock;
}

const run_queue& online_service::queue() const
{
    static const run_queue none{std::filesystem::path()};
    return waiting ? *waiting : none;
}

bool online_service::idle() const
{
    return !worker || (worker->idle() && in_flight.empty());
}

void online_service::frame(float seconds)
{
    if (!worker)
        return;
    clock += seconds;
    answered += worker->deliver();
    if (clock >= next_try && in_flight.empty() && !waiting->runs().empty()) {
        next_try = clock + retry_seconds;
        send_waiting();
    }
}

void online_service::submit(const replay& run)
{
    if (!worker)
        return;
    if (const std::string failed = waiting->add({run.level_file, run.level_hash, run.to_text()}); !failed.empty())
        log_line("The run of " + run.level_file + " is kept for this session only: " + failed);
    send_waiting();
}

void online_service::send_waiting()
{
    if (chosen.player_name.empty()) {
        trouble = "Choose a player name on the Online page to send your runs.";
        return;
    }
    std::string error;
    if (sending_secret(error).empty()) {
        log_line("Runs are not sent: " + error);
        return;
    }
    const server_api api(chosen.server_address);
    for (const queued_run& run : waiting->runs()) {
        if (in_flight.count(run.level_hash))
            continue;
        const http_request request = api.submit(chosen.player_name, secret, run.replay_text);
        std::shared_ptr<http_transport> sender = transport;
        const bool taken = worker->post([this, sender, request, run](const std::atomic<bool>& stopping) {
            const submit_answer answer = server_answers::submit(sender->send(request, stopping));
            return [this, run, answer] { sent(run, answer); };
        });
        if (taken)
            in_flight.insert(run.level_hash);
    }
}

const std::string& online_service::sending_secret(std::string& error)
{
    if (secret.empty())
        secret = player_secret::load_or_make(secret_file(), error);
    return secret;
}

bool online_service::fetch(const http_request& request, std::function<void(const http_reply&)> done)
{
    if (!worker)
        return false;
    std::shared_ptr<http_transport> sender = transport;
    return worker->post([sender, request, done](const std::atomic<bool>& stopping) {
        const http_reply reply = sender->send(request, stopping);
        return [done, reply] { done(reply); };
    });
}

void online_service::sent(const queued_run& run, const submit_answer& answer)
{
    in_flight.erase(run.level_hash);
    const std::string level = run.level_file;
    if (answer.outcome == submit_answer::later) {
        next_try = clock + retry_seconds;
        log_line("The run of " + level + " waits to be sent again (" +
                 (answer.message.empty() ? answer.reason : answer.message) + ")");
        return;
    }
    if (const std::string failed = waiting->remove(run.level_hash, run.replay_text); !failed.empty())
        log_line("The online queue could not be written: " + failed);
    if (answer.outcome == submit_answer::refused) {
        log_line("The server refused the run of " + level + ": " + answer.reason + ": " + answer.message);
        if (answer.reason == "name_taken")
            trouble = "The name " + chosen.player_name + " is taken: choose another on the Online page.";
        return;
    }
    log_line("The run of " + level + " is World #" + std::to_string(answer.rank));
    ranked[run.level_hash] = {answer.time, answer.rank};
    // The board has changed: ask again when it is next shown.
    if (auto found = boards.find(run.level_hash); found != boards.end() && !found->second.asking)
        found->second.asked_at = -board_seconds;
}

int online_service::world_rank(std::uint64_t level_hash, double finish_time) const
{
    const auto found = ranked.find(level_hash);
    if (found == ranked.end() || std::fabs(found->second.time - finish_time) > 1e-6)
        return 0;
    return found->second.rank;
}

const level_board* online_service::board(std::uint64_t level_hash)
{
    if (!worker)
        return nullptr;
    const bool known = boards.count(level_hash) > 0;
    asked_board& entry = boards[level_hash];
    if (entry.asking || (known && clock - entry.asked_at < board_seconds))
        return entry.board.top_known ? &entry.board : nullptr;
    entry.asking = true;
    entry.asked_at = clock;
    const server_api api(chosen.server_address);
    const http_request top = api.top(level_hash, 10);
    const bool ask_rank = !chosen.player_name.empty();
    const http_request rank = ask_rank ? api.rank(level_hash, chosen.player_name) : http_request{};
    std::shared_ptr<http_transport> sender = transport;
    const bool taken = worker->post([this, sender, top, rank, ask_rank, level_hash](const std::atomic<bool>& stopping) {
        level_board read;
        std::string error;
        read.top_known = server_answers::top(sender->send(top, stopping), read.top, error);
        if (read.top_known && ask_rank && !stopping)
            read.rank_known = server_answers::rank(sender->send(rank, stopping), read.rank, error);
        return [this, read, error, level_hash] {
            asked_board& entry = boards[level_hash];
            entry.asking = false;
            if (!error.empty())
                log_line("The world top list of " + server_api::level_name(level_hash) + " is not shown: " + error);
            if (!read.top_known)
                return;
            entry.board = read;
            if (!read.top.empty())
                ask_for_record(level_hash, read.top.front());
        };
    });
    if (!taken)
        entry.asking = false;
    return entry.board.top_known ? &entry.board : nullptr;
}

void online_service::ask_for_record(std::uint64_t level_hash, const board_run& best)
{
    const auto held = records.find(level_hash);
    if (held != records.end() && held->second.run_id == best.run_id)
        return;
    records[level_hash].run_id = best.run_id;
    records[level_hash].usable = false;
    const http_request request = server_api(chosen.server_address).replay(best.run_id);
    std::shared_ptr<http_transport> sender = transport;
    const long long run_id = best.run_id;
    worker->post([this, sender, request, level_hash, run_id](const std::atomic<bool>& stopping) {
        const http_reply reply = sender->send(request, stopping);
        auto run = std::make_shared<replay>();
        std::string why;
        if (reply.status != 200)
            why = reply.status == 0 ? reply.error : "HTTP " + std::to_string(reply.status);
        else if (!replay::parse(reply.body, *run, why))
            why = "it is broken (" + why + ")";
        else if (run->level_hash != level_hash)
            why = "it was played on another version of the level";
        return [this, run, why, level_hash, run_id] {
            record_run& held = records[level_hash];
            if (held.run_id != run_id)
                return;
            if (!why.empty()) {
                log_line("The world record run " + std::to_string(run_id) + " of " + server_api::level_name(level_hash) +
                         " is not raced: " + why);
                // Asked again with the next top list.
                held.run_id = 0;
                return;
            }
            held.run = std::move(*run);
            held.usable = true;
            log_line("The world record run " + std::to_string(run_id) + " of " + held.run.level_file + " is here (" +
                     std::to_string(held.run.finish_time) + " s)");
        };
    });
}

bool online_service::world_record(std::uint64_t level_hash, replay& out) const
{
    const auto found = records.find(level_hash);
    if (found == records.end() || !found->second.usable)
        return false;
    out = found->second.run;
    return true;
}
