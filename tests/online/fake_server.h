#pragma once

// A leaderboard server for the online tests, answering in the test's own
// thread-safe way without a network: each request's URL is counted, and
// its answer comes from `answer` (status 0: no connection).

#include "online/http_transport.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

// A server's answer of `status` with `body`.
inline http_reply reply(int status, const std::string& body)
{
    http_reply r;
    r.status = status;
    r.body = body;
    return r;
}

class fake_server : public http_transport {
public:
    using responder = std::function<http_reply(const http_request&)>;

    explicit fake_server(responder answer) : answer(std::move(answer)) {}

    http_reply send(const http_request& request, const std::atomic<bool>&) override
    {
        std::lock_guard<std::mutex> hold(lock);
        asked.push_back(request);
        return answer(request);
    }

    // The requests whose URL holds `part`.
    int count(const std::string& part) const
    {
        std::lock_guard<std::mutex> hold(lock);
        int n = 0;
        for (const http_request& r : asked)
            n += r.url.find(part) != std::string::npos;
        return n;
    }

    void answer_with(responder next)
    {
        std::lock_guard<std::mutex> hold(lock);
        answer = std::move(next);
    }

private:
    mutable std::mutex lock;
    responder answer;
    std::vector<http_request> asked;
};
