#include "rate_limiter.h"

#include <algorithm>

rate_limiter::rate_limiter(double per_minute, double burst)
    : per_second(per_minute / 60.0), burst(std::max(burst, 1.0))
{
}

bool rate_limiter::allow(const std::string& key, clock_type::time_point now)
{
    if (per_second <= 0.0)
        return true;
    std::lock_guard<std::mutex> hold(lock);
    if (buckets.size() > 10000 || now - last_sweep > std::chrono::minutes(1))
        forget_full(now);
    auto [it, added] = buckets.try_emplace(key, bucket{burst, now});
    bucket& b = it->second;
    const double gained = std::chrono::duration<double>(now - b.filled).count() * per_second;
    b.tokens = std::min(burst, b.tokens + std::max(gained, 0.0));
    b.filled = now;
    if (b.tokens < 1.0)
        return false;
    b.tokens -= 1.0;
    return true;
}

void rate_limiter::forget_full(clock_type::time_point now)
{
    last_sweep = now;
    for (auto it = buckets.begin(); it != buckets.end();) {
        const double gained = std::chrono::duration<double>(now - it->second.filled).count() * per_second;
        if (it->second.tokens + gained >= burst)
            it = buckets.erase(it);
        else
            ++it;
    }
}
