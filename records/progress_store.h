#pragma once

// The player's saved progress: for each level, keyed by its file name as the
// campaign index writes it ("level_01.map"), whether it was finished, the best
// time and the most coins, each with the local date it was set, and the best
// medal; for each campaign played as a challenge, the same and how far it got. One file holds
// every level. Two games may run at once on the same file: each finished run
// is merged into what is on disk at that moment, so neither loses the other's
// results. Nothing here throws on a bad, missing or unwritable file; the log
// says what happened and play goes on.

#include "medal_times.h"

#include <filesystem>
#include <map>
#include <string>
#include <tuple>

struct level_record {
    bool finished = false;
    long best_time_ms = -1; // -1: no time yet
    std::string best_time_date;
    int most_coins = -1; // -1: none yet
    std::string most_coins_date;
    // The best medal ever earned: kept even if the level's times change.
    medal best_medal = medal::none;
    // A campaign's challenge only: the furthest level reached, from 1.
    int furthest_level = 0;
};

inline bool operator==(const level_record& a, const level_record& b)
{
    return std::tie(a.finished, a.best_time_ms, a.best_time_date, a.most_coins, a.most_coins_date, a.best_medal,
                    a.furthest_level) ==
           std::tie(b.finished, b.best_time_ms, b.best_time_date, b.most_coins, b.most_coins_date, b.best_medal,
                    b.furthest_level);
}

class progress_store {
public:
    // What a finished run changed; on a level's first finish every value is new.
    struct outcome {
        bool first_finish = false;
        bool new_best_time = false;
        bool new_most_coins = false;
        bool new_medal = false;
    };

    // Keeps its progress in `file` (the caller's <data>/progress/progress).
    explicit progress_store(std::filesystem::path file);

    // Reads the file: no file is no progress; a file that cannot be read, is
    // broken or was written by a newer version is set aside (see safe_file),
    // and progress starts empty.
    void load();
    // The level's record; null when it was never finished.
    const level_record* find(const std::string& level_file) const;
    const std::map<std::string, level_record>& levels() const { return records; }

    // Records a finished run of `time_seconds` on the play clock (kept to the
    // millisecond) with `coins` collected on `date` (as today() gives it) and
    // the medal it earned, and
    // writes the file: under a lock it reads the file again, keeps the better
    // of each value from disk, memory and this run, and writes them back. A
    // failed write is logged and the result is still kept for this session.
    outcome record_finish(const std::string& level_file, double time_seconds, int coins, const std::string& date,
                          medal earned = medal::none);

    // Reads the file format into `out`; false with the reason ("line 7: ...")
    // in `error`, leaving `out` as it was. Safe on any bytes.
    static bool parse(const std::string& text, std::map<std::string, level_record>& out, std::string& error);
    // The file's text, levels sorted by name; parse gives back the same map.
    static std::string format(const std::map<std::string, level_record>& levels);
    // A campaign's challenge is kept as a section of its own, named
    // "campaign:" and the campaign's name: a challenge finished (`finished`)
    // in `time_seconds` with `coins`, or one that reached `furthest_level`
    // (from 1) before it ended. The time counts only for a finished one.
    outcome record_challenge(const std::string& campaign, bool finished, double time_seconds, int coins,
                             int furthest_level, const std::string& date);
    // The campaign's challenge record; null when it was never played.
    const level_record* find_challenge(const std::string& campaign) const;
    static std::string challenge_section(const std::string& campaign) { return "campaign:" + campaign; }

    // The local date, YYYY-MM-DD.
    static std::string today();

private:
    // Merges `run` into the section `name`, on disk and here.
    outcome keep(const std::string& name, const level_record& run);

    std::filesystem::path file;
    std::map<std::string, level_record> records;
};
