#include "route_search.h"

#include "app/physics/physics_body.h"
#include "level/game_object.h"
#include "level/level.h"
#include "level_player.h"
#include "objects/obj_player.h"
#include "search_random.h"

#include <algorithm>

namespace {

using step = route_bot::step;

// The keys a player's default bindings turn into the ball's move bits.
unsigned moves_of(const std::set<key_code>& keys)
{
    unsigned moves = 0;
    if (keys.count(KC_W))
        moves |= obj_player::move_forward_bit;
    if (keys.count(KC_A))
        moves |= obj_player::move_left_bit;
    if (keys.count(KC_S))
        moves |= obj_player::move_backward_bit;
    if (keys.count(KC_D))
        moves |= obj_player::move_right_bit;
    return moves;
}

// The same route with a speed step before every point, carrying the speed
// the route had there, so that each stretch can be sped up on its own.
std::vector<step> with_own_speeds(const std::vector<step>& route)
{
    std::vector<step> out;
    step speed{};
    speed.kind = step::speed;
    speed.value = 25.0f; // the bot's own default
    for (const step& s : route) {
        if (s.kind == step::speed) {
            speed.value = s.value;
            continue;
        }
        if (s.kind == step::go || s.kind == step::enter)
            out.push_back(speed);
        out.push_back(s);
    }
    return out;
}

}

route_search::route_search(level_player& player, search_random& dice, std::vector<route_bot::step> route)
    : player(player), dice(dice), route(with_own_speeds(route))
{
}

bool route_search::drive(level_player& player, const std::vector<route_bot::step>& route, std::size_t max_frames,
                         replay& out)
{
    level* current = nullptr;
    route_bot bot([&current](const std::string& id, Ogre::Vector3& at) {
        const game_object* object = current->find_object(id);
        if (object)
            at = object->get_position();
        return object != nullptr;
    });
    bot.set_steps(route);
    return player.play(
        [&](level& lvl) {
            current = &lvl;
            const obj_player* ball = lvl.get_player();
            return moves_of(bot.keys(ball->get_position(), ball->get_actor()->get_linear_velocity(),
                                     level_player::frame_time));
        },
        max_frames, out);
}

bool route_search::start(std::size_t max_frames)
{
    return drive(player, route, max_frames, best_run);
}

void route_search::try_one()
{
    std::vector<step> candidate = route;
    // Mostly one edit, now and then two that only pay off together.
    edit(candidate);
    if (dice.chance(0.3f))
        edit(candidate);
    replay run;
    if (drive(player, candidate, best_run.frames.size(), run) && run.frames.size() <= best_run.frames.size()) {
        route = std::move(candidate);
        best_run = std::move(run);
    }
}

void route_search::edit(std::vector<step>& steps)
{
    if (steps.empty())
        return;
    const std::size_t at = dice.below(steps.size());
    step& s = steps[at];
    const float roll = dice.between(0.0f, 1.0f);
    switch (s.kind) {
    case step::go:
        if (roll < 0.15f)
            s.rolling = !s.rolling;
        else if (roll < 0.3f)
            s.value = std::clamp(s.value * dice.between(0.6f, 1.6f), 0.5f, 30.0f);
        else if (roll < 0.38f)
            steps.erase(steps.begin() + std::ptrdiff_t(at));
        else
            nudge(s);
        break;
    case step::enter:
        nudge(s);
        break;
    case step::speed:
        s.value = std::clamp(s.value * dice.between(0.8f, 1.3f), 5.0f, 200.0f);
        break;
    case step::wait:
    case step::ride:
        s.value = std::max(0.0f, s.value * dice.between(0.5f, 1.1f));
        break;
    case step::until:
        // A wider circle leaves earlier for the platform.
        s.value = std::max(0.5f, s.value * dice.between(0.7f, 1.4f));
        break;
    }
}

void route_search::nudge(step& s)
{
    const float reach = dice.between(0.5f, 8.0f);
    s.x += dice.between(-reach, reach);
    s.z += dice.between(-reach, reach);
}
