#include "key_search.h"

#include "level_player.h"
#include "objects/obj_player.h"
#include "search_random.h"

#include <algorithm>
#include <array>

namespace {

constexpr unsigned forward = obj_player::move_forward_bit;
constexpr unsigned left = obj_player::move_left_bit;
constexpr unsigned backward = obj_player::move_backward_bit;
constexpr unsigned right = obj_player::move_right_bit;
// The eight directions the keys can push, in turning order.
constexpr std::array<unsigned, 8> directions{forward,          forward | right, right, backward | right,
                                             backward,         backward | left, left,  forward | left};

// `moves` turned an eighth of a turn either way; no keys, or keys that
// cancel out, stay as they are.
unsigned turned(unsigned moves, int eighths)
{
    const auto at = std::find(directions.begin(), directions.end(), moves);
    if (at == directions.end())
        return moves;
    return directions[std::size_t((at - directions.begin() + 8 + eighths) % 8)];
}

}

key_search::key_search(level_player& player, search_random& dice, replay start)
    : player(player), dice(dice), best_run(std::move(start))
{
}

void key_search::try_one()
{
    std::vector<unsigned> candidate = level_player::moves_of(best_run);
    edit(candidate);
    replay run;
    if (player.play(candidate, best_run.frames.size(), run) && run.frames.size() <= best_run.frames.size())
        best_run = std::move(run);
}

void key_search::edit(std::vector<unsigned>& moves)
{
    if (moves.empty())
        return;
    const std::size_t from = dice.below(moves.size());
    // Mostly a few frames, at times a second and a half.
    const float spread = dice.between(0.0f, 1.0f);
    const std::size_t to = std::min(moves.size(), from + 1 + std::size_t(spread * spread * 90.0f));
    const auto first = moves.begin() + std::ptrdiff_t(from);
    const auto last = moves.begin() + std::ptrdiff_t(to);
    const float roll = dice.between(0.0f, 1.0f);
    if (roll < 0.35f) {
        const int eighths = dice.chance(0.5f) ? 1 : -1;
        std::transform(first, last, first, [eighths](unsigned m) { return turned(m, eighths); });
    } else if (roll < 0.6f) {
        const std::size_t pick = dice.below(directions.size() + 1);
        std::fill(first, last, pick < directions.size() ? directions[pick] : 0u);
    } else if (roll < 0.8f) {
        std::fill(first, last, from > 0 ? moves[from - 1] : 0u);
    } else {
        moves.erase(first, last);
    }
}
