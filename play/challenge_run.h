#pragma once

// A campaign played in one go: its levels in order without the menu between
// them, one clock over all of them, and a stock of balls. Three balls to
// start; a fall (or a restart) costs one, and the challenge is over when
// none is left; every hundredth coin taken gives one more. The in-game state
// feeds it each level's events and finishes; the record keeps how far it
// got.

#include "level/level_event.h"

#include <string>
#include <vector>

class challenge_run {
public:
    static constexpr int starting_balls = 3;
    static constexpr int coins_per_ball = 100;

    challenge_run(std::string campaign, std::vector<std::string> level_files);

    // What one frame of the current level did: falls cost balls, coins count.
    void take(const std::vector<level_event>& events);
    // The current level was started again: a ball, and the time spent on it.
    void restarted(double play_time);
    // The current level was finished after `play_time` on its clock; the
    // next one is current, unless it was the last (won).
    void level_finished(double play_time);
    // Left before the end (Tab, the menu's way back): over, not won.
    void give_up() { lost = true; }

    const std::string& get_campaign() const { return campaign; }
    const std::string& current_level() const { return levels[current]; }
    // The current level counted from 1, and how many the campaign has.
    int level_number() const { return int(current) + 1; }
    int level_count() const { return int(levels.size()); }
    // Levels finished so far.
    int levels_finished() const { return int(current) + (won ? 1 : 0); }
    int get_balls() const { return balls; }
    int get_coins() const { return coins; }
    // The clock over every level so far, with `play_time` of the current one.
    double total_time(double play_time) const { return banked_time + (won ? 0.0 : play_time); }
    bool is_won() const { return won; }
    bool is_over() const { return won || lost; }

private:
    std::string campaign;
    std::vector<std::string> levels;
    size_t current = 0;
    int balls = starting_balls;
    int coins = 0;
    double banked_time = 0.0;
    bool won = false;
    bool lost = false;
};
