#include "menu_steps.h"

#include <cstdlib>
#include <limits>

namespace {

struct centre {
    int x, y;
};

bool overlap(int start_a, int size_a, int start_b, int size_b)
{
    return start_a < start_b + size_b && start_b < start_a + size_a;
}

centre centre_of(const menu_rect& r)
{
    return {r.left + r.width / 2, r.top + r.height / 2};
}

}

int menu_step(const std::vector<menu_rect>& controls, int current, menu_direction direction)
{
    if (controls.empty())
        return -1;
    if (current < 0 || current >= int(controls.size())) {
        int first = 0;
        for (int i = 1; i < int(controls.size()); ++i) {
            const menu_rect& a = controls[i];
            const menu_rect& b = controls[first];
            if (a.top < b.top || (a.top == b.top && a.left < b.left))
                first = i;
        }
        return first;
    }
    const menu_rect& here = controls[current];
    const centre from = centre_of(here);
    const bool vertical = direction == menu_direction::up || direction == menu_direction::down;
    int best = current;
    // Controls in line (sharing some of this one's span across the arrow)
    // come first, then the nearest ahead, then the least off to the side.
    long best_score = std::numeric_limits<long>::max();
    for (int i = 0; i < int(controls.size()); ++i) {
        const menu_rect& there = controls[i];
        const centre to = centre_of(there);
        const int dx = to.x - from.x, dy = to.y - from.y;
        const int ahead = direction == menu_direction::up     ? -dy
                          : direction == menu_direction::down ? dy
                          : direction == menu_direction::left ? -dx
                                                              : dx;
        if (i == current || ahead <= 0)
            continue;
        const bool in_line = vertical ? overlap(here.left, here.width, there.left, there.width)
                                      : overlap(here.top, here.height, there.top, there.height);
        // Of two about as far off either side, the left or upper one.
        const int off = vertical ? dx : dy;
        const long aside = 2L * (std::abs(off) / 8) + (off > 0 ? 1 : 0);
        const long score = (in_line ? 0L : 1L << 40) + (long(ahead) << 16) + aside;
        if (score < best_score) {
            best_score = score;
            best = i;
        }
    }
    return best;
}
