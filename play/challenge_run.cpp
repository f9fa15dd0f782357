#include "challenge_run.h"

#include <stdexcept>

challenge_run::challenge_run(std::string campaign, std::vector<std::string> level_files)
    : campaign(std::move(campaign)), levels(std::move(level_files))
{
    if (levels.empty())
        throw std::invalid_argument("a challenge needs a campaign with levels");
}

void challenge_run::take(const std::vector<level_event>& events)
{
    for (const level_event& event : events) {
        if (is_over())
            return;
        if (event.kind == level_event::fall) {
            lost = --balls <= 0;
        } else if (event.kind == level_event::coin || event.kind == level_event::blue_coin) {
            if (++coins % coins_per_ball == 0)
                ++balls;
        }
    }
}

void challenge_run::restarted(double play_time)
{
    banked_time += play_time;
    lost = --balls <= 0;
}

void challenge_run::level_finished(double play_time)
{
    if (is_over())
        return;
    banked_time += play_time;
    if (current + 1 < levels.size())
        ++current;
    else
        won = true;
}
