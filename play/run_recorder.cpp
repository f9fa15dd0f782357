#include "run_recorder.h"

#include "level/level.h"
#include "objects/obj_player.h"

run_recorder::run_recorder(const std::string& level_file, std::uint64_t level_hash)
{
    run.level_file = level_file;
    run.level_hash = level_hash;
}

const replay_split* run_recorder::add(const replay_frame& input, const level& lvl)
{
    if (run.frames.size() >= replay::max_frames)
        overflowed = true;
    if (overflowed)
        return nullptr;
    replay_frame frame = input;
    const Ogre::Vector3 ball = lvl.get_player()->get_position();
    frame.x = ball.x;
    frame.y = ball.y;
    frame.z = ball.z;
    run.frames.push_back(frame);

    bool reached = false;
    for (const level_event& event : lvl.get_events()) {
        if (event.kind != level_event::checkpoint || run.split_for(event.object) >= 0.0)
            continue;
        run.splits.push_back({event.object, lvl.get_play_time()});
        reached = true;
    }
    return reached ? &run.splits.back() : nullptr;
}

bool run_recorder::finish(const level& lvl, replay& out) const
{
    if (overflowed)
        return false;
    out = run;
    out.finish_time = lvl.get_play_time();
    out.coins = lvl.get_coins_taken();
    return true;
}
