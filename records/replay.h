#pragma once

// The record of one played run of a level: every frame's time step and
// inputs, and where the ball was after it. The physics is deterministic, so
// feeding the same frames into the same level plays the run again bit for
// bit; the ghost ball shows the recorded positions while the player races
// the best run. The recorder appends to `frames` as the level is played;
// a finished run is stored with to_text and read back with load_for_level.
// position_at keeps a table of frame end times that follows appended frames
// and whole replaced records (copy, parse); change `frames` in any other way
// and a fresh copy of the record must be used. Not for use from two threads.

#include "physics_version.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct replay_frame {
    float dt = 0.0f;            // the frame's time step, seconds, as the game used it
    unsigned moves = 0;         // held rolling keys, a bit mask (forward=1, left=2, backward=4, right=8)
    int turn = 0;               // the mouse's horizontal movement that frame (relative counts)
    int wheel = 0;              // the mouse wheel's movement that frame (relative counts)
    float x = 0, y = 0, z = 0;  // the ball's position after the frame
    float roll_forward = 0.0f;  // a pad's stick that frame, -1 to 1 (0 without one)
    float roll_right = 0.0f;
};

// The first touch of a checkpoint, in play time.
struct replay_split {
    std::string checkpoint;
    double time = 0.0;
};

class replay {
public:
    // Longer runs or more checkpoints than these cannot be stored: the reader
    // refuses them, so a recorder stops there.
    static constexpr std::size_t max_frames = 2000000;
    static constexpr std::size_t max_checkpoints = 10000;

    std::string level_file;        // file name as in the campaign index, e.g. "level_01.map"
    std::uint64_t level_hash = 0;  // hash_text of the level file's bytes
    double finish_time = 0.0;      // play clock at the finish, seconds
    int coins = 0;
    int physics = current_physics_version;  // the physics version that recorded the run
    std::vector<replay_split> splits;
    std::vector<replay_frame> frames;

    // FNV-1a, 64 bits.
    static std::uint64_t hash_text(const std::string& bytes);

    // The replay file's text; the format is described in replay_text.cpp.
    std::string to_text() const;
    // Reads a replay file's text into `out`; on failure `out` is unchanged and
    // `error` says what is wrong, as "line N: ...".
    static bool parse(const std::string& text, replay& out, std::string& error);

    // The ball's recorded position at play time t, interpolated between the
    // frames around t (play time at the end of frame i is the sum of the time
    // steps up to it); the first frame's position before it, the last after
    // the end. False when there are no frames.
    bool position_at(double t, float out[3]) const;
    // The play time of the run's first touch of `checkpoint`, or negative
    // when the run never touched it.
    double split_for(const std::string& checkpoint) const;

    // The replay's file name for a level: every byte outside [A-Za-z0-9._-]
    // and a leading '.' written as %XX, so the name never leaves its folder
    // or hides itself, then ".replay".
    static std::string file_name_for(const std::string& level_file);
    // Reads `path` into `out` when it parses and was recorded on `level_file`
    // with the bytes hashing to `level_hash`. A missing file is false without
    // a word; any other refusal is false with one log line saying why.
    static bool load_for_level(const std::filesystem::path& path, const std::string& level_file,
                               std::uint64_t level_hash, replay& out);

private:
    // Play time at the end of each frame, built up by position_at.
    mutable std::vector<double> ends;
};
