#include "replay_verifier.h"

#include "app/game_camera.h"
#include "headless_play/level_world.h"
#include "level/level.h"
#include "objects/obj_player.h"
#include "play/level_run.h"
#include "play/run_recorder.h"
#include "records/replay.h"

#include <cstdio>

namespace {

run_verdict refused(const std::string& reason, const std::string& message)
{
    run_verdict verdict;
    verdict.reason = reason;
    verdict.message = message;
    return verdict;
}

std::string seconds(double t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", t);
    return text;
}

// The first frame whose recorded position is not where the ball rolled, or 0.
std::size_t first_astray(const replay& claimed, const replay& played)
{
    for (std::size_t i = 0; i < claimed.frames.size() && i < played.frames.size(); ++i) {
        const replay_frame& a = claimed.frames[i];
        const replay_frame& b = played.frames[i];
        if (a.x != b.x || a.y != b.y || a.z != b.z)
            return i + 1;
    }
    return 0;
}

bool same_splits(const replay& claimed, const replay& played)
{
    if (claimed.splits.size() != played.splits.size())
        return false;
    for (std::size_t i = 0; i < claimed.splits.size(); ++i)
        if (claimed.splits[i].checkpoint != played.splits[i].checkpoint ||
            claimed.splits[i].time != played.splits[i].time)
            return false;
    return true;
}

}

replay_verifier::replay_verifier() : world(std::make_unique<level_world>("verifier")) {}

replay_verifier::~replay_verifier() = default;

run_verdict replay_verifier::verify(const std::string& level_file, const std::string& level_text,
                                    const std::string& replay_text)
{
    replay claimed;
    std::string error;
    if (!replay::parse(replay_text, claimed, error))
        return refused("broken", "The replay cannot be read: " + error + ".");
    world->write_level(level_file, level_text);
    level lvl(level_file, &world->context, nullptr);
    if (!lvl.get_player())
        return refused("failed", "The server's copy of " + level_file + " does not load.");
    game_camera camera("verify_cam", &lvl, lvl.get_player()->get_scene_node());
    run_recorder recorder(claimed.level_file, claimed.level_hash);
    std::size_t played = 0;
    while (played < claimed.frames.size() && !lvl.is_completed()) {
        const replay_frame& frame = claimed.frames[played++];
        level_run::play(lvl, camera, frame);
        recorder.add(frame, lvl);
    }
    if (!lvl.is_completed())
        return refused("run_unfinished", "The ball does not reach the target in the run's " +
                                             std::to_string(claimed.frames.size()) + " frames.");
    if (played != claimed.frames.size() || lvl.get_play_time() != claimed.finish_time)
        return refused("time_differs", "The run reaches the target at " + seconds(lvl.get_play_time()) +
                                           ", not at its recorded " + seconds(claimed.finish_time) + ".");
    if (lvl.get_coins_taken() != claimed.coins)
        return refused("coins_differ", "The run takes " + std::to_string(lvl.get_coins_taken()) +
                                           " coins, not its recorded " + std::to_string(claimed.coins) + ".");
    replay again;
    if (!recorder.finish(lvl, again))
        return refused("broken", "The run is too long to keep.");
    if (const std::size_t frame = first_astray(claimed, again))
        return refused("broken", "The recorded position of frame " + std::to_string(frame) +
                                     " is not where the ball rolls when the run is played again.");
    if (!same_splits(claimed, again))
        return refused("broken", "The recorded checkpoint times are not those of the run played again.");
    run_verdict verdict;
    verdict.reason = "accepted";
    verdict.time = claimed.finish_time;
    verdict.coins = claimed.coins;
    return verdict;
}
