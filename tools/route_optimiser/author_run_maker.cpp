#include "author_run_maker.h"

#include "key_search.h"
#include "level_player.h"
#include "route_search.h"
#include "search_random.h"

#include <chrono>

namespace {

using clock_type = std::chrono::steady_clock;

double seconds_since(clock_type::time_point start)
{
    return std::chrono::duration<double>(clock_type::now() - start).count();
}

}

author_run_maker::outcome author_run_maker::make(level_world& world, const std::string& level_file,
                                                 const std::string& level_text,
                                                 const std::vector<route_bot::step>& route, const budget& limits)
{
    outcome result;
    const clock_type::time_point start = clock_type::now();
    level_player player(world, level_file, level_text);
    if (!player.ready(result.problem))
        return result;
    search_random dice(limits.seed);
    route_search routes(player, dice, route);
    if (!routes.start(max_bot_frames)) {
        result.problem = "the bot does not finish " + level_file + " on its route without a fall within " +
                         std::to_string(max_bot_frames / 60) + " s";
        return result;
    }
    result.bot_time = routes.best().finish_time;

    const double all_tries = double(limits.route_tries + limits.key_tries);
    const double route_seconds = all_tries > 0.0 ? limits.seconds * double(limits.route_tries) / all_tries : 0.0;
    const auto in_time = [&](double allowed) { return limits.seconds <= 0.0 || seconds_since(start) < allowed; };
    for (std::size_t i = 0; i < limits.route_tries && in_time(route_seconds); ++i)
        routes.try_one();
    result.route_time = routes.best().finish_time;

    key_search keys(player, dice, routes.best());
    for (std::size_t i = 0; i < limits.key_tries && in_time(limits.seconds); ++i)
        keys.try_one();

    // The run must come out the same from a fresh level, as the game will play it.
    replay again;
    const replay& best = keys.best();
    if (!player.play(level_player::moves_of(best), best.frames.size(), again) || again.to_text() != best.to_text()) {
        result.problem = "the fastest run of " + level_file + " did not play the same a second time";
        return result;
    }
    result.run = best;
    result.made = true;
    result.search_seconds = seconds_since(start);
    return result;
}
