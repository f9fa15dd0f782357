#include "replay_feed.h"

bool replay_feed::next(replay_frame& out)
{
    if (done() || played + run.frames[index].dt > clock)
        return false;
    out = run.frames[index++];
    played += out.dt;
    return true;
}
