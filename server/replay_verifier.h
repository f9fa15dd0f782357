#pragma once

// Plays a submitted replay on a known level, headless, with the game's own
// level, objects and physics, exactly as the game plays a replay, and says
// whether it is the run it claims to be: the ball reaches the target on the
// replay's last frame, at its recorded finish time to the bit, with its
// coins, and rolls through every recorded position and checkpoint time.
// It works on a headless level world, which takes the process's OGRE and
// working folder: one verifier per process, used from one thread (the
// server runs them in worker processes, see verify_pool).

#include "run_verdict.h"

#include <memory>
#include <string>

class level_world;

class replay_verifier {
public:
    replay_verifier();
    ~replay_verifier();
    replay_verifier(const replay_verifier&) = delete;
    replay_verifier& operator=(const replay_verifier&) = delete;

    // `level_file` and `level_text` are the server's own copy of the level
    // the replay's hash names; nothing of the replay becomes a file name.
    run_verdict verify(const std::string& level_file, const std::string& level_text, const std::string& replay_text);

private:
    std::unique_ptr<level_world> world;
};
