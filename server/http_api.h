#pragma once

// The leaderboard's API over HTTP (cpp-httplib): routes each request to the
// leaderboard and sends its answer. Bodies are read with a limit on both
// the bytes sent and, for a gzip body, the bytes they unpack to; every read
// and write has a time limit; each address has a rate for all its requests.
// listen() blocks until stop() is called from another thread or a signal
// handler's helper.

#include <cstddef>
#include <memory>
#include <string>

class leaderboard;
class rate_limiter;
namespace httplib {
class Server;
struct Response;
class ContentReader;
}

class http_api {
public:
    struct limits {
        std::size_t max_body = 4u << 20;        // bytes as sent
        std::size_t max_unpacked = 16u << 20;   // bytes after gzip
        int timeout_seconds = 20;               // each read and each write
        int threads = 64;
    };

    http_api(leaderboard& board, rate_limiter& requests, limits limit);
    ~http_api();

    // Binds `host`:`port` (port 0: a free one); the port, or -1.
    int bind(const std::string& host, int port);
    // Serves until stop(); false when it could not.
    bool listen();
    void stop();

private:
    void route();
    // Reads a POST body into `body` within the limits; false when it
    // answered `res` with the refusal itself. `what` names the body.
    bool read_body(httplib::Response& res, const httplib::ContentReader& read, const std::string& what,
                   std::string& body) const;

    leaderboard& board;
    rate_limiter& requests;
    limits limit;
    std::unique_ptr<httplib::Server> server;
};
