#pragma once

// The one way the game's online side reaches the network: a request goes
// out and a reply comes back, on the calling thread, within a bounded time.
// curl_transport is the real one; tests answer with their own. A reply with
// status 0 means no answer at all (no connection, a time-out, the game
// quitting), which is never a server's verdict.

#include <atomic>
#include <cstddef>
#include <string>

struct http_request {
    bool post = false;
    std::string url;
    // A POST's JSON body, sent gzip-compressed when `gzip`.
    std::string body;
    bool gzip = false;
    // A longer reply is cut off and refused (too_large).
    std::size_t most_bytes = 256 * 1024;
};

struct http_reply {
    int status = 0;
    std::string body;
    // Why there is no answer, for the log.
    std::string error;
    bool too_large = false;
};

class http_transport {
public:
    virtual ~http_transport() = default;
    // Sends `request` and waits for the reply, giving up soon after
    // `stopping` turns true. May be called from any one thread at a time.
    virtual http_reply send(const http_request& request, const std::atomic<bool>& stopping) = 0;
};
