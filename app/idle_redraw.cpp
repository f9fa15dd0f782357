#include "idle_redraw.h"

#include <algorithm>

namespace {

constexpr float settle_time = 1.0f;
constexpr float refresh_period = 0.5f;

}

bool idle_redraw::draw(bool still, bool acted, float elapsed, int idle_rate)
{
    quiet = still && !acted ? quiet + elapsed : 0.0f;
    undrawn += elapsed;
    const float period = idle_rate > 0 ? std::min(refresh_period, 1.0f / float(idle_rate)) : refresh_period;
    // Half a frame early rather than a whole frame late: ten a second from
    // thirty is every third frame, whatever the sum's rounding.
    if (on && quiet >= settle_time && undrawn < period - elapsed * 0.5f)
        return false;
    undrawn = 0.0f;
    return true;
}
