#include "idle_redraw.h"

namespace {

constexpr float settle_time = 1.0f;
constexpr float refresh_period = 0.5f;

}

bool idle_redraw::draw(bool still, bool acted, float elapsed)
{
    quiet = still && !acted ? quiet + elapsed : 0.0f;
    undrawn += elapsed;
    if (on && quiet >= settle_time && undrawn < refresh_period)
        return false;
    undrawn = 0.0f;
    return true;
}
