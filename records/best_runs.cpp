#include "best_runs.h"

#include "app/log.h"
#include "app/safe_file.h"
#include "level/level.h"

#include <fstream>
#include <sstream>

best_runs::best_runs(const std::string& folder)
    : folder(folder), progress(folder.empty() ? std::filesystem::path() : this->folder / "progress")
{
    if (!folder.empty())
        progress.load();
}

const level_record* best_runs::record(const std::string& level_file) const
{
    return progress.find(level_file);
}

std::filesystem::path best_runs::replay_path(const std::string& level_file) const
{
    return folder / "replays" / replay::file_name_for(level_file);
}

bool best_runs::best_replay(const std::string& level_file, replay& out) const
{
    if (folder.empty())
        return false;
    return replay::load_for_level(replay_path(level_file), level_file, level_hash(level_file), out);
}

progress_store::outcome best_runs::keep(const replay& run, medal earned, bool& saved_replay)
{
    saved_replay = false;
    if (folder.empty())
        return {};
    const progress_store::outcome outcome =
        progress.record_finish(run.level_file, run.finish_time, run.coins, progress_store::today(), earned);
    replay playable;
    const bool has_playable = best_replay(run.level_file, playable);
    if (!outcome.new_best_time && has_playable)
        return outcome;
    const std::filesystem::path path = replay_path(run.level_file);
    // One that cannot be played is still the player's: moved aside, never overwritten.
    std::error_code ignored;
    if (!has_playable && std::filesystem::exists(path, ignored))
        safe_file::set_aside(path, "it cannot be played");
    const std::string problem = safe_file::write(path, run.to_text());
    if (problem.empty())
        saved_replay = true;
    else
        log_line("The best run could not be saved: " + problem);
    return outcome;
}

progress_store::outcome best_runs::keep_challenge(const std::string& campaign, bool finished, double time_seconds,
                                                  int coins, int furthest_level)
{
    if (folder.empty())
        return {};
    return progress.record_challenge(campaign, finished, time_seconds, coins, furthest_level, progress_store::today());
}

const level_record* best_runs::challenge(const std::string& campaign) const
{
    return progress.find_challenge(campaign);
}

std::uint64_t best_runs::level_hash(const std::string& level_file)
{
    std::ifstream in(level::path_of(level_file), std::ios::binary);
    if (!in)
        return 0;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return replay::hash_text(bytes.str());
}
