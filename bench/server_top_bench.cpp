// The leaderboard's most asked question over real HTTP on 127.0.0.1: a
// level's top 10, asked by 50 clients at once on kept-alive connections for
// ten seconds (at most 200,000 requests), with 1,000 players ranked on the
// level. Reports requests a second and the 50th, 99th and highest latency.
// SQLite in a temporary folder, or PostgreSQL at the address given (its
// leaderboard tables are dropped first).
//
// Usage: server_top_bench [postgresql://...]

#include "http_api.h"
#include "leaderboard.h"
#include "level_catalog.h"
#include "postgres_store.h"
#include "rate_limiter.h"
#include "sqlite_store.h"
#include "verify_pool.h"

#include <httplib.h>
#include <pqxx/pqxx>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

using clock_type = std::chrono::steady_clock;

constexpr int clients = 50;
constexpr int players = 1000;
constexpr auto duration = std::chrono::seconds(10);
constexpr long max_requests = 200000;
const std::string level = "00000000000000aa";

std::unique_ptr<run_store> open_store(int argc, char** argv, const fs::path& folder)
{
    if (argc > 1) {
        {
            pqxx::connection c(argv[1]);
            pqxx::work t(c);
            t.exec("DROP TABLE IF EXISTS bests, runs, players, schema_version");
            t.commit();
        }
        return std::make_unique<postgres_store>(argv[1]);
    }
    fs::create_directories(folder);
    return std::make_unique<sqlite_store>(folder / "quillax.sqlite");
}

void fill(run_store& store)
{
    for (int i = 0; i < players; ++i) {
        player_record p{0, "player " + std::to_string(i), "salt", "hash", "2026-12-10T02:00:00Z"};
        store.add_player(p);
        store.add_run(new_run{p.id, level, "level_01.map", 10.0 + (i * 7919 % 1000) / 100.0, 3,
                              "2026-12-10T02:00:00Z", "replay"});
    }
}

}

int main(int argc, char** argv)
{
    const fs::path folder = fs::temp_directory_path() / ("quillax_top_bench_" + std::to_string(::getpid()));
    {
        std::unique_ptr<run_store> store = open_store(argc, argv, folder);
        fill(*store);
        level_catalog levels;
        verify_pool pool(QUILLAX_SERVER_PROGRAM, 1, 1, std::chrono::seconds(10));
        rate_limiter unlimited(0, 0);
        leaderboard board(*store, levels, pool, unlimited, unlimited, leaderboard::limits{});
        http_api::limits limit;
        limit.threads = clients + 8;
        http_api api(board, unlimited, limit);
        const int port = api.bind("127.0.0.1", 0);
        std::thread serving([&] { api.listen(); });

        std::atomic<long> issued{0};
        std::atomic<long> failed{0};
        std::vector<std::vector<double>> latencies(clients);
        const auto start = clock_type::now();
        std::vector<std::thread> threads;
        for (int c = 0; c < clients; ++c)
            threads.emplace_back([&, c] {
                httplib::Client client("127.0.0.1", port);
                client.set_keep_alive(true);
                const std::string path = "/api/v1/levels/" + level + "/top?n=10";
                while (clock_type::now() - start < duration && issued++ < max_requests) {
                    const auto sent = clock_type::now();
                    const httplib::Result answer = client.Get(path.c_str());
                    if (!answer || answer->status != 200)
                        ++failed;
                    latencies[std::size_t(c)].push_back(
                        std::chrono::duration<double, std::milli>(clock_type::now() - sent).count());
                }
            });
        for (std::thread& t : threads)
            t.join();
        const double elapsed = std::chrono::duration<double>(clock_type::now() - start).count();
        api.stop();
        serving.join();

        std::vector<double> all;
        for (const auto& l : latencies)
            all.insert(all.end(), l.begin(), l.end());
        std::sort(all.begin(), all.end());
        const auto at = [&](double q) { return all[std::min(all.size() - 1, std::size_t(q * double(all.size())))]; };
        std::printf("%s: %zu requests (%ld failed) from %d clients in %.1f s: %.0f a second\n",
                    argc > 1 ? "PostgreSQL" : "SQLite", all.size(), failed.load(), clients, elapsed,
                    double(all.size()) / elapsed);
        std::printf("latency: median %.2f ms, 99th percentile %.2f ms, highest %.2f ms\n", at(0.5), at(0.99),
                    all.back());
    }
    fs::remove_all(folder);
    return 0;
}
