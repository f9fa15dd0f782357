#pragma once

// Plays one level headless exactly as the game plays a replay: every frame
// goes through level_run::play at 60 frames a second with the camera left
// alone (no turn, no wheel, no stick), and is recorded as the game's
// recorder records a run. Each play starts on a freshly loaded level, so the
// same keys always give the same run. A play ends at the ball's first fall:
// an author run rolls clean, and a search loses no time on a ball that left
// the course. The world must outlive the player; the player writes the level
// file into the world's folder.

#include "records/replay.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class level;
class level_world;

class level_player {
public:
    // The rolling keys for the next frame (obj_player's move bits), chosen
    // from the level as the previous frame left it.
    using driver = std::function<unsigned(level& lvl)>;

    level_player(level_world& world, std::string level_file, const std::string& level_text);

    // Whether the level loads with a ball to roll; the reason when it does not.
    bool ready(std::string& problem) const;
    const std::string& get_level_file() const { return level_file; }

    // Plays until the level is completed, the ball falls or `max_frames`
    // frames have passed; true when it was completed, with the recorded run
    // in `out`.
    bool play(const driver& keys, std::size_t max_frames, replay& out);
    // Plays recorded keys, one entry a frame, and no keys after the last.
    bool play(const std::vector<unsigned>& moves, std::size_t max_frames, replay& out);

    // The keys of every frame of a run.
    static std::vector<unsigned> moves_of(const replay& run);

    static constexpr float frame_time = 1.0f / 60.0f;

private:
    level_world& world;
    std::string level_file;
    std::uint64_t level_hash;
};
