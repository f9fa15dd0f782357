#include "level_player.h"

#include "app/game_camera.h"
#include "headless_play/level_world.h"
#include "level/level.h"
#include "objects/obj_player.h"
#include "play/level_run.h"
#include "play/run_recorder.h"

level_player::level_player(level_world& world, std::string level_file, const std::string& level_text)
    : world(world), level_file(std::move(level_file)), level_hash(replay::hash_text(level_text))
{
    world.write_level(this->level_file, level_text);
}

bool level_player::ready(std::string& problem) const
{
    const level lvl(level_file, &world.context, nullptr);
    if (lvl.get_player())
        return true;
    problem = level_file + " has no ball to roll (it does not load, or has no start)";
    return false;
}

bool level_player::play(const driver& keys, std::size_t max_frames, replay& out)
{
    level lvl(level_file, &world.context, nullptr);
    if (!lvl.get_player())
        return false;
    game_camera camera("game_cam", &lvl, lvl.get_player()->get_scene_node());
    run_recorder recorder(level_file, level_hash);
    for (std::size_t i = 0; i < max_frames && !lvl.is_completed(); ++i) {
        replay_frame input;
        input.dt = frame_time;
        input.moves = keys(lvl);
        level_run::play(lvl, camera, input);
        recorder.add(input, lvl);
        for (const level_event& event : lvl.get_events())
            if (event.kind == level_event::fall)
                return false;
    }
    return lvl.is_completed() && recorder.finish(lvl, out);
}

bool level_player::play(const std::vector<unsigned>& moves, std::size_t max_frames, replay& out)
{
    std::size_t frame = 0;
    return play([&](level&) { return frame < moves.size() ? moves[frame++] : 0u; }, max_frames, out);
}

std::vector<unsigned> level_player::moves_of(const replay& run)
{
    std::vector<unsigned> moves;
    moves.reserve(run.frames.size());
    for (const replay_frame& f : run.frames)
        moves.push_back(f.moves);
    return moves;
}
