// The progress file is plain text the player can read and mend by hand:
//
//     quillax progress 1
//     # lines starting with # are comments; blank lines are ignored
//
//     [level_01.map]
//     finished = yes
//     best_time = 42.517
//     best_time_date = 2026-12-08
//     most_coins = 7
//     most_coins_date = 2026-12-08
//     best_medal = silver
//
//     [campaign:First Steps]
//     finished = yes
//     best_time = 612.25
//     furthest_level = 8
//
// The first line that is not a comment names the format's version; a file of
// a later version is set aside rather than guessed at. Each [section] is one
// level, named as the campaign index names its file: any characters but "]"
// and control characters. Times are seconds with up to three decimals, so the
// stored milliseconds come back exactly; dates are the player's local date.
// A section whose name starts "campaign:" is a campaign's challenge.
// Keys this version does not know are skipped, so a later one can add some.
// Only keys with a value are written.

#include "progress_store.h"

#include "app/local_time.h"
#include "app/log.h"
#include "app/safe_file.h"
#include "app/trimmed.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Limits far past any real run; a larger value means a damaged file.
constexpr long long max_seconds = 10'000'000;
constexpr long long max_coins = 1'000'000;
// A level takes a few hundred bytes; a file this big is not ours.
constexpr size_t max_file_size = 16 << 20;
constexpr long long max_levels = 100'000;
constexpr medal medals[] = {medal::none, medal::bronze, medal::silver, medal::gold};

// Holds an exclusive lock on "<file>.lock" while it lives, so that two games
// never interleave one's reading and the other's writing. The lock is not on
// the progress file itself, since every write replaces that file. Without a
// lock file (a missing or read-only folder) it holds nothing: reading alone
// is safe, as writes are atomic, and a write there fails anyway.
class file_lock {
public:
    explicit file_lock(const fs::path& file)
        : fd(::open((fs::path(file) += ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        while (fd >= 0 && ::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~file_lock()
    {
        if (fd >= 0)
            ::close(fd);
    }
    file_lock(const file_lock&) = delete;
    file_lock& operator=(const file_lock&) = delete;

private:
    int fd;
};

// Digits only: no sign, space or exponent, as the game writes them.
bool read_digits(const std::string& text, long long& value)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const char* end = text.data() + text.size();
    const auto read = std::from_chars(text.data(), end, value);
    return read.ec == std::errc() && read.ptr == end;
}

bool read_time(const std::string& text, long& ms)
{
    const auto point = text.find('.');
    const std::string fraction = point == std::string::npos ? "0" : text.substr(point + 1);
    long long seconds = 0;
    long long part = 0;
    if (!read_digits(text.substr(0, point), seconds) || fraction.size() > 3 || !read_digits(fraction, part) ||
        seconds > max_seconds)
        return false;
    for (size_t digits = fraction.size(); digits < 3; ++digits)
        part *= 10;
    ms = long(seconds * 1000 + part);
    return ms <= max_seconds * 1000;
}

std::string time_text(long ms)
{
    std::string thousandths = std::to_string(ms % 1000);
    thousandths.insert(0, 3 - thousandths.size(), '0');
    return std::to_string(ms / 1000) + "." + thousandths;
}

bool is_date(const std::string& text)
{
    if (text.size() != 10)
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? text[i] != '-' : (text[i] < '0' || text[i] > '9'))
            return false;
    }
    return true;
}

bool is_level_name(const std::string& name)
{
    return !name.empty() && std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == ']' || byte < 0x20 || byte == 0x7f;
    });
}

// What is wrong with the first line that is not a comment; empty when it names this version.
std::string header_problem(const std::string& line)
{
    const std::string start = "quillax progress ";
    if (line.compare(0, start.size(), start) == 0) {
        const std::string version = line.substr(start.size());
        if (version == "1")
            return "";
        if (!version.empty() && version[0] != '0' && version.find_first_not_of("0123456789") == std::string::npos)
            return "made by a newer version";
    }
    return "not a progress file: it does not start with \"quillax progress 1\"";
}

// Stores a known key's value in `record`; returns what is wrong with the value, empty when it fits.
std::string read_value(const std::string& key, const std::string& value, level_record& record)
{
    long long number = 0;
    if (key == "finished") {
        if (value != "yes" && value != "no")
            return "finished must be yes or no";
        record.finished = value == "yes";
    } else if (key == "best_time") {
        if (!read_time(value, record.best_time_ms))
            return "best_time must be seconds from 0 to 10000000, with up to three decimals";
    } else if (key == "most_coins") {
        if (!read_digits(value, number) || number > max_coins)
            return "most_coins must be a whole number from 0 to 1000000";
        record.most_coins = int(number);
    } else if (key == "best_medal") {
        const auto found = std::find_if(std::begin(medals), std::end(medals),
                                        [&](medal m) { return value == medal_times::name(m); });
        if (found == std::end(medals))
            return "best_medal must be gold, silver, bronze or none";
        record.best_medal = *found;
    } else if (key == "furthest_level") {
        if (!read_digits(value, number) || number > max_levels)
            return "furthest_level must be a whole number from 0 to 100000";
        record.furthest_level = int(number);
    } else if (key == "best_time_date" || key == "most_coins_date") {
        if (!is_date(value))
            return key + " must be a date, YYYY-MM-DD";
        (key == "best_time_date" ? record.best_time_date : record.most_coins_date) = value;
    }
    return "";
}

// Keeps the better of each value, with its own date.
void merge(level_record& into, const level_record& other)
{
    into.finished = into.finished || other.finished;
    into.best_medal = std::max(into.best_medal, other.best_medal);
    into.furthest_level = std::max(into.furthest_level, other.furthest_level);
    if (other.best_time_ms >= 0 && (into.best_time_ms < 0 || other.best_time_ms < into.best_time_ms)) {
        into.best_time_ms = other.best_time_ms;
        into.best_time_date = other.best_time_date;
    }
    if (other.most_coins > into.most_coins) {
        into.most_coins = other.most_coins;
        into.most_coins_date = other.most_coins_date;
    }
}

// Empty when all of the file behind `fd` is in `text`; otherwise why not.
std::string read_all(int fd, std::string& text)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return "";
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::strerror(errno);
        text.append(buffer, size_t(got));
        if (text.size() > max_file_size)
            return "over 16 MB, far too big for a progress file";
    }
}

// The levels in `file`: none when there is no file; none, and the file set
// aside, when it cannot be read.
std::map<std::string, level_record> read_or_set_aside(const fs::path& file)
{
    std::map<std::string, level_record> levels;
    std::string text;
    std::string problem;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    // No folder is no file either (a file in the folder's place is the
    // writer's problem, and it says so).
    if (fd < 0 && (errno == ENOENT || errno == ENOTDIR))
        return levels;
    if (fd < 0) {
        problem = std::strerror(errno);
    } else {
        problem = read_all(fd, text);
        ::close(fd);
    }
    if (problem.empty() && progress_store::parse(text, levels, problem))
        return levels;
    safe_file::set_aside(file, problem);
    return {};
}

// Why a run cannot be written to the file; empty when it can.
std::string unstorable(const std::string& level_file, double time_seconds, int coins, const std::string& date)
{
    if (!is_level_name(level_file))
        return "the level's name cannot be stored";
    if (!(time_seconds >= 0 && time_seconds <= max_seconds))
        return "the time is out of range";
    if (coins < 0 || coins > max_coins)
        return "the coin count is out of range";
    if (!is_date(date))
        return "the date is not YYYY-MM-DD";
    return "";
}

}

progress_store::progress_store(fs::path file) : file(std::move(file)) {}

void progress_store::load()
{
    // Locked too, so that setting a broken file aside never moves the fresh
    // file another game has just written in its place.
    const file_lock lock(file);
    records = read_or_set_aside(file);
}

const level_record* progress_store::find(const std::string& level_file) const
{
    const auto found = records.find(level_file);
    return found != records.end() && found->second.finished ? &found->second : nullptr;
}

progress_store::outcome progress_store::record_finish(const std::string& level_file, double time_seconds,
                                                      int coins, const std::string& date, medal earned)
{
    const std::string problem = unstorable(level_file, time_seconds, coins, date);
    if (!problem.empty()) {
        log_line("The result on " + level_file + " is not saved: " + problem);
        return {};
    }
    return keep(level_file, level_record{true, std::lround(time_seconds * 1000), date, coins, date, earned});
}

progress_store::outcome progress_store::record_challenge(const std::string& campaign, bool finished,
                                                         double time_seconds, int coins, int furthest_level,
                                                         const std::string& date)
{
    const std::string name = challenge_section(campaign);
    const std::string problem = unstorable(name, time_seconds, coins, date);
    if (!problem.empty() || furthest_level < 0 || furthest_level > max_levels) {
        log_line("The challenge of " + campaign + " is not saved: " +
                 (problem.empty() ? "the level reached is out of range" : problem));
        return {};
    }
    level_record run{finished, -1, "", coins, date};
    if (finished) {
        run.best_time_ms = std::lround(time_seconds * 1000);
        run.best_time_date = date;
    }
    run.furthest_level = furthest_level;
    return keep(name, run);
}

const level_record* progress_store::find_challenge(const std::string& campaign) const
{
    const auto found = records.find(challenge_section(campaign));
    return found != records.end() ? &found->second : nullptr;
}

progress_store::outcome progress_store::keep(const std::string& name, const level_record& run)
{
    // The lock file lives beside the progress file.
    std::error_code ignored;
    fs::create_directories(file.parent_path(), ignored);
    const file_lock lock(file);
    std::map<std::string, level_record> merged = read_or_set_aside(file);
    for (const auto& [section, record] : records)
        merge(merged[section], record);

    level_record& level = merged[name];
    const level_record before = level;
    merge(level, run);
    const outcome result{run.finished && !before.finished, level.best_time_ms != before.best_time_ms,
                         level.most_coins != before.most_coins, level.best_medal != before.best_medal};
    records = std::move(merged);

    const std::string failed = safe_file::write(file, format(records));
    if (!failed.empty())
        log_line(failed + "; the result is kept only until the game quits");
    return result;
}

bool progress_store::parse(const std::string& text, std::map<std::string, level_record>& out, std::string& error)
{
    std::map<std::string, level_record> levels;
    level_record* level = nullptr;
    bool versioned = false;
    int number = 0;
    const auto fail = [&](const std::string& problem) {
        error = "line " + std::to_string(number) + ": " + problem;
        return false;
    };
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = trimmed(text.substr(start, end - start));
        start = end + 1;
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        if (!versioned) {
            error = header_problem(line);
            if (!error.empty())
                return false;
            versioned = true;
        } else if (line[0] == '[') {
            const std::string name = line.substr(1, line.size() - 2);
            if (line.back() != ']' || !is_level_name(name))
                return fail("a level's name must be in [] without \"]\" or control characters");
            const auto added = levels.emplace(name, level_record{});
            if (!added.second)
                return fail("[" + name + "] is there twice");
            level = &added.first->second;
        } else {
            const auto equals = line.find('=');
            const std::string key = trimmed(line.substr(0, equals));
            if (equals == std::string::npos || key.empty())
                return fail("expected [level], key = value, or a comment starting with #");
            if (!level)
                return fail(key + " comes before any [level]");
            const std::string problem = read_value(key, trimmed(line.substr(equals + 1)), *level);
            if (!problem.empty())
                return fail(problem);
        }
    }
    if (!versioned) {
        error = header_problem("");
        return false;
    }
    out = std::move(levels);
    return true;
}

std::string progress_store::format(const std::map<std::string, level_record>& levels)
{
    std::string text = "quillax progress 1\n";
    for (const auto& [name, level] : levels) {
        text += "\n[" + name + "]\n";
        if (level.finished)
            text += "finished = yes\n";
        if (level.best_time_ms >= 0)
            text += "best_time = " + time_text(level.best_time_ms) + "\n";
        if (!level.best_time_date.empty())
            text += "best_time_date = " + level.best_time_date + "\n";
        if (level.most_coins >= 0)
            text += "most_coins = " + std::to_string(level.most_coins) + "\n";
        if (!level.most_coins_date.empty())
            text += "most_coins_date = " + level.most_coins_date + "\n";
        if (level.best_medal != medal::none)
            text += "best_medal = " + std::string(medal_times::name(level.best_medal)) + "\n";
        if (level.furthest_level > 0)
            text += "furthest_level = " + std::to_string(level.furthest_level) + "\n";
    }
    return text;
}

std::string progress_store::today()
{
    return local_time("%Y-%m-%d");
}
