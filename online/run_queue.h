#pragma once

// The runs waiting to be sent to the leaderboard server, kept in one file
// in the player's data folder ("online_queue") so that a run made offline,
// or while the server is down, is sent when it can be, even after the game
// was closed. One run per level: a newer best replaces a waiting older one,
// which the server would rank below it anyway. Written safely (new file,
// flush, rename) at each change; a file that cannot be read is set aside.
// Used from one thread.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct queued_run {
    std::string level_file;
    std::uint64_t level_hash = 0;
    std::string replay_text;
};

class run_queue {
public:
    // Reads the queue in `file`, if there is one.
    explicit run_queue(std::filesystem::path file);

    const std::vector<queued_run>& runs() const { return waiting; }
    // Queues `run`, replacing a waiting run of the same level. Returns an
    // empty string, or why the file could not be written (the run is still
    // queued for this session).
    std::string add(queued_run run);
    // Takes out the run of `level_hash` if it is still `replay_text` (a
    // newer best may have replaced it while the old one was on its way).
    std::string remove(std::uint64_t level_hash, const std::string& replay_text);

    std::string to_text() const;
    // False, with `error`, for a text that is not a whole queue.
    static bool parse(const std::string& text, std::vector<queued_run>& out, std::string& error);

private:
    std::string save() const;

    std::filesystem::path file;
    std::vector<queued_run> waiting;
};
