#pragma once

// The first half of the search: faster finishes found by editing the route
// the bot follows, so every candidate is still driven by the bot, which
// reacts to where the ball is. An edit moves a point, changes the tolerance
// of a point, lets the ball roll through a point instead of braking on it,
// drops a point, changes a speed or shortens a wait. Every point gets a
// speed of its own before the search begins. A candidate is a whole drive
// on a fresh level and is kept when it finishes no later than the best run
// so far (a tie keeps it, so the search can wander across level ground).
// The player and the dice must outlive the search.

#include "headless_play/route_bot.h"
#include "records/replay.h"

#include <cstddef>
#include <vector>

class level_player;
class search_random;

class route_search {
public:
    route_search(level_player& player, search_random& dice, std::vector<route_bot::step> route);

    // Drives the route as it is, within `max_frames`; false when the bot does
    // not finish, and there is nothing to search from.
    bool start(std::size_t max_frames);
    // Tries one edited route.
    void try_one();

    // The fastest finish found, and the route that drove it.
    const replay& best() const { return best_run; }
    const std::vector<route_bot::step>& best_route() const { return route; }

    // Drives `route` with the bot within `max_frames`; true when it finishes.
    static bool drive(level_player& player, const std::vector<route_bot::step>& route, std::size_t max_frames,
                      replay& out);

private:
    void edit(std::vector<route_bot::step>& steps);
    // Moves a point a random distance, from half a unit to a block's width.
    void nudge(route_bot::step& s);

    level_player& player;
    search_random& dice;
    std::vector<route_bot::step> route;
    replay best_run;
};
