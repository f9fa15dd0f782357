#pragma once

// http_transport over libcurl: plain HTTP or HTTPS only, no redirects, a
// few seconds to connect and a bounded time for the whole exchange, and a
// reply that grows past its limit cut off at once. A quitting game stops a
// request within a fraction of a second (the progress callback asks).

#include "http_transport.h"

class curl_transport : public http_transport {
public:
    curl_transport();
    http_reply send(const http_request& request, const std::atomic<bool>& stopping) override;
};
