#include "bot_falls.h"

#include "app/physics/physics_body.h"
#include "headless_play/level_world.h"
#include "headless_play/route_bot.h"
#include "level/game_object.h"
#include "objects/obj_player.h"

#include <map>
#include <memory>

namespace {

constexpr float dt = 1.0f / 60.0f;
constexpr int most_frames = 60 * 600;

}

int bot_falls::count(level_world& world, const std::string& level_file, const std::string& level_text,
                     const std::string& route_file, std::string& error)
{
    std::unique_ptr<level> lvl = world.load(level_file, level_text);
    if (!lvl->get_player()) {
        error = "the level has no ball to roll";
        return -1;
    }
    route_bot bot([&lvl](const std::string& id, Ogre::Vector3& at) {
        game_object* object = lvl->find_object(id);
        if (object)
            at = object->get_position();
        return object != nullptr;
    });
    if (!bot.load(route_file, error))
        return -1;
    obj_player* ball = lvl->get_player();
    // The route step each place to come back to was reached on ("" the start).
    std::map<std::string, size_t> resume_on{{"", 1}};
    int falls = 0;
    for (int frame = 0; frame < most_frames && !lvl->is_completed(); ++frame) {
        world.frame(*lvl, dt, bot.keys(ball->get_position(), ball->get_actor()->get_linear_velocity(), dt));
        for (const level_event& e : lvl->get_events()) {
            if (e.kind == level_event::checkpoint)
                resume_on.emplace(e.object, bot.current_step());
            if (e.kind == level_event::fall) {
                ++falls;
                bot.resume_at(resume_on[e.object], ball->get_position());
            }
        }
    }
    if (!lvl->is_completed()) {
        error = "the route bot did not finish";
        return -1;
    }
    return falls;
}
