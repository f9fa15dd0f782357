#pragma once

// Token buckets, one per key (a player's name, a client's address): each
// holds up to `burst` tokens and gains `per_minute` a minute; a request
// takes one or is refused. A rate of 0 lets everything through. Buckets
// that have filled up again are forgotten, so the table stays small.
// Safe to call from many threads.

#include <chrono>
#include <map>
#include <mutex>
#include <string>

class rate_limiter {
public:
    using clock_type = std::chrono::steady_clock;

    rate_limiter(double per_minute, double burst);

    bool allow(const std::string& key) { return allow(key, clock_type::now()); }
    bool allow(const std::string& key, clock_type::time_point now);

private:
    struct bucket {
        double tokens = 0.0;
        clock_type::time_point filled;
    };
    void forget_full(clock_type::time_point now);

    double per_second;
    double burst;
    std::mutex lock;
    std::map<std::string, bucket> buckets;
    clock_type::time_point last_sweep;
};
