// quillax-server: the leaderboard that ranks only runs it played again.
// The same program is its own verification worker (--verify-worker).

#include "http_api.h"
#include "leaderboard.h"
#include "level_catalog.h"
#include "rate_limiter.h"
#include "server_options.h"
#include "store_opener.h"
#include "verify_pool.h"
#include "verify_worker.h"

#include "app/data_root.h"

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <thread>

namespace {

void add_levels(level_catalog& levels, const server_options& options)
{
    try {
        const data_root data = data_root::find(data_root::executable_folder());
        const auto shipped = data.folder() / "media" / "levels";
        levels.set_game_data(data.folder());
        std::fprintf(stderr, "quillax-server: %zu shipped levels from %s\n", levels.add_folder(shipped),
                     shipped.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillax-server: no shipped levels: %s\n", e.what());
    }
    for (const std::string& folder : options.level_folders)
        std::fprintf(stderr, "quillax-server: %zu levels from %s\n", levels.add_folder(folder), folder.c_str());
}

int serve(const server_options& options)
{
    // Signals wait for the thread that stops the server; every thread made
    // from here on inherits the mask.
    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGTERM);
    sigaddset(&stopping, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopping, nullptr);
    signal(SIGPIPE, SIG_IGN);

    level_catalog levels;
    add_levels(levels, options);
    if (levels.size() == 0)
        std::fprintf(stderr, "quillax-server: no levels are known, so every run will be refused\n");
    std::unique_ptr<run_store> store = store_opener::open(options);
    const unsigned workers = options.workers ? options.workers : std::max(1u, std::thread::hardware_concurrency());
    verify_pool pool("/proc/self/exe", workers, options.queue, std::chrono::seconds(options.job_seconds));
    rate_limiter per_player(options.player_rate, options.player_rate);
    rate_limiter per_address(options.address_rate, options.address_rate);
    rate_limiter requests(options.request_rate, options.request_rate);
    leaderboard board(*store, levels, pool, per_player, per_address, leaderboard::limits{options.max_frames, options.shares_per_day, options.max_level});
    http_api::limits limit;
    limit.max_body = options.max_body;
    limit.max_unpacked = options.max_unpacked;
    limit.timeout_seconds = options.timeout_seconds;
    limit.threads = int(std::max<std::size_t>(64, options.queue + workers + 16));
    http_api api(board, requests, limit);
    const int port = api.bind(options.host, options.port);
    if (port < 0) {
        std::fprintf(stderr, "ERROR: cannot listen on %s:%d\n", options.host.c_str(), options.port);
        return 1;
    }
    std::thread stopper([&] {
        int which = 0;
        sigwait(&stopping, &which);
        std::fprintf(stderr, "quillax-server: %s; stopping\n", strsignal(which));
        api.stop();
    });
    std::fprintf(stderr, "quillax-server: listening on %s:%d with %u verification workers\n", options.host.c_str(),
                 port, workers);
    const bool served = api.listen();
    if (!served) {
        // The stopper still waits for a signal: send it one of its own.
        std::fprintf(stderr, "ERROR: the server stopped serving unexpectedly\n");
        ::kill(::getpid(), SIGTERM);
    }
    stopper.join();
    std::fprintf(stderr, "quillax-server: stopped\n");
    return served ? 0 : 1;
}

}

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--verify-worker") == 0) {
        // The socket is both standard input and output; whatever a library
        // prints must not land in the answers.
        ::dup2(2, 1);
        return verify_worker::serve(0);
    }
    server_options options;
    std::string error;
    if (!options.parse(argc, argv, error)) {
        std::fprintf(stderr, "ERROR: %s\n\n%s", error.c_str(), server_options::usage().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(server_options::usage().c_str(), stdout);
        return 0;
    }
    try {
        return serve(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ERROR: %s\n", e.what());
        return 1;
    }
}
