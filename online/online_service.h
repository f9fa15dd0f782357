#pragma once

// The game's online side as the states and menus see it: the settings of
// the Online page, personal bests queued and sent to the leaderboard server,
// each level's world top 10 and the player's rank, the world rank of a run
// just sent, and the world record's run to race or watch. Every request
// runs on a thread of its own (online_worker); answers are taken in
// between frames by frame(), so nothing here ever waits on the network.
// Switched off, or without a server address, it starts no thread, sends
// nothing and writes no file. Used from the main thread only.

#include "online_settings.h"
#include "records/replay.h"
#include "run_queue.h"
#include "server_answers.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class http_transport;
class online_worker;
struct http_reply;
struct http_request;

// What the server says of one level, as far as it has answered.
struct level_board {
    bool top_known = false;
    std::vector<board_run> top;
    // The player's own rank, once asked and answered.
    bool rank_known = false;
    rank_answer rank;
};

class online_service {
public:
    using transport_maker = std::function<std::shared_ptr<http_transport>()>;

    // Reads the Online page's settings from `config_folder` and the queue
    // from `data_folder`; `make_transport` is called once online play starts.
    online_service(std::filesystem::path config_folder, std::filesystem::path data_folder,
                   transport_maker make_transport);
    ~online_service();
    online_service(const online_service&) = delete;
    online_service& operator=(const online_service&) = delete;

    const online_settings& settings() const { return chosen; }
    // Takes the Online page's new settings: writes them, and starts or stops
    // online play. Returns an empty string, or why they could not be saved.
    std::string change(const online_settings& next);
    bool active() const { return worker != nullptr; }

    // Between frames: takes the answers that came, and now and then sends
    // the waiting runs again.
    void frame(float seconds);
    // A finished run that set a personal best: queued and sent.
    void submit(const replay& run);
    // The level's board as far as known; asks the server when it has not
    // lately (null while it never answered, or when offline).
    const level_board* board(std::uint64_t level_hash);
    // The world rank the server gave the run of `level_hash` that finished
    // at `finish_time`; 0 while unknown.
    int world_rank(std::uint64_t level_hash, double finish_time) const;
    // The world record's run of the level, downloaded and checked; false
    // while there is none.
    bool world_record(std::uint64_t level_hash, replay& out) const;
    // How many answers have come: what is known changes only when this does.
    unsigned answers() const { return answered; }
    // What keeps the player's runs from being ranked (no name yet, a name
    // taken), until the settings change; empty when nothing does.
    const std::string& problem() const { return trouble; }

    std::filesystem::path settings_file() const { return config_folder / "online"; }
    std::filesystem::path secret_file() const { return config_folder / "online_secret"; }
    std::filesystem::path queue_file() const { return data_folder / "online_queue"; }
    // Seconds between tries to send the waiting runs, and between asking for a level's board.
    static constexpr float retry_seconds = 60.0f;
    static constexpr float board_seconds = 30.0f;

    // Any other request (sharing levels): sent on the worker thread, and
    // `done` is called with the reply between frames. False when offline or
    // the worker's queue is full; `done` is then never called.
    bool fetch(const http_request& request, std::function<void(const http_reply&)> done);
    // The player's secret for a request that proves who sends it, made the
    // first time; empty with `error` when it cannot be read or made.
    const std::string& sending_secret(std::string& error);

    // Tests: the queue, and whether every request has been answered.
    const run_queue& queue() const;
    bool idle() const;

private:
    void start();
    void send_waiting();
    void sent(const queued_run& run, const submit_answer& answer);
    void ask_for_record(std::uint64_t level_hash, const board_run& best);

    std::filesystem::path config_folder;
    std::filesystem::path data_folder;
    transport_maker make_transport;
    online_settings chosen;
    std::shared_ptr<http_transport> transport;
    // Read when online play starts, so that a game offline reads nothing more.
    std::unique_ptr<run_queue> waiting;
    std::string secret;
    std::set<std::uint64_t> in_flight;
    float clock = 0.0f;
    float next_try = 0.0f;
    struct asked_board {
        level_board board;
        float asked_at = 0.0f;
        bool asking = false;
    };
    std::map<std::uint64_t, asked_board> boards;
    struct record_run {
        long long run_id = 0;
        bool usable = false;
        replay run;
    };
    std::map<std::uint64_t, record_run> records;
    struct ranked_run {
        double time = 0.0;
        int rank = 0;
    };
    std::map<std::uint64_t, ranked_run> ranked;
    std::string trouble;
    unsigned answered = 0;
    // The worker goes first: its answers point into the rest.
    std::unique_ptr<online_worker> worker;
};
