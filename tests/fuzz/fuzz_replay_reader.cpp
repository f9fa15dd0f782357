// Any bytes as a replay file: a text the reader takes is written back and
// read again to the very same record, and the ghost can follow it.

#include "records/replay.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool same_frames(const replay_frame& a, const replay_frame& b)
{
    // Bit for bit: -0 and 0 are different runs to the physics.
    return std::memcmp(&a.dt, &b.dt, sizeof a.dt) == 0 && a.moves == b.moves && a.turn == b.turn &&
           a.wheel == b.wheel && std::memcmp(&a.x, &b.x, sizeof a.x) == 0 &&
           std::memcmp(&a.y, &b.y, sizeof a.y) == 0 && std::memcmp(&a.z, &b.z, sizeof a.z) == 0 &&
           std::memcmp(&a.roll_forward, &b.roll_forward, sizeof a.roll_forward) == 0 &&
           std::memcmp(&a.roll_right, &b.roll_right, sizeof a.roll_right) == 0;
}

bool same_runs(const replay& a, const replay& b)
{
    if (a.level_file != b.level_file || a.level_hash != b.level_hash || a.finish_time != b.finish_time ||
        a.coins != b.coins || a.physics != b.physics || a.splits.size() != b.splits.size() ||
        a.frames.size() != b.frames.size())
        return false;
    for (std::size_t i = 0; i < a.splits.size(); ++i) {
        if (a.splits[i].checkpoint != b.splits[i].checkpoint || a.splits[i].time != b.splits[i].time)
            return false;
    }
    for (std::size_t i = 0; i < a.frames.size(); ++i) {
        if (!same_frames(a.frames[i], b.frames[i]))
            return false;
    }
    return true;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    replay first;
    std::string error;
    if (!replay::parse(text, first, error)) {
        if (error.compare(0, 5, "line ") != 0)
            std::abort();
        return 0;
    }
    replay second;
    if (!replay::parse(first.to_text(), second, error) || !same_runs(first, second))
        std::abort();

    const bool has_frames = !first.frames.empty();
    for (double t : {-1.0, 0.0, first.finish_time * 0.5, first.finish_time, 1e300, double(NAN)}) {
        float at[3];
        if (first.position_at(t, at) != has_frames)
            std::abort();
        if (has_frames && !(std::isfinite(at[0]) && std::isfinite(at[1]) && std::isfinite(at[2])))
            std::abort();
    }
    if (!first.splits.empty() && first.split_for(first.splits[0].checkpoint) != first.splits[0].time)
        std::abort();
    return 0;
}
