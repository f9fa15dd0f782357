#pragma once

// Makes the author run of one level: drives the level's route with the bot,
// looks for faster finishes by editing the route (route_search) and then the
// keys of the best run (key_search), within a number of tries and an
// optional time limit, and plays the fastest run once more on a fresh level
// to prove it before handing it out. The same level, route, tries and seed
// always give the same run, as long as no time limit cuts the search short.

#include "headless_play/route_bot.h"
#include "records/replay.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class level_world;

class author_run_maker {
public:
    struct budget {
        std::size_t route_tries = 1000;
        std::size_t key_tries = 1000;
        double seconds = 0.0; // 0: no limit; else shared by the halves as their tries are
        std::uint32_t seed = 1;
    };
    struct outcome {
        bool made = false;
        std::string problem; // why not, when not made
        double bot_time = 0.0;   // the plain route's finish, seconds
        double route_time = 0.0; // the best after the route search
        replay run;              // the author run
        double search_seconds = 0.0;
    };

    // The bot's drive on the plain route may take this long at most.
    static constexpr std::size_t max_bot_frames = 60 * 600;

    static outcome make(level_world& world, const std::string& level_file, const std::string& level_text,
                        const std::vector<route_bot::step>& route, const budget& limits);
};
