#include "medal_checks.h"

#include "element_checks.h"
#include "records/author_run.h"
#include "records/replay.h"
#include "records/replay_text.h"

#include <tinyxml.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const medals[] = {"gold", "silver", "bronze"};
const char* const no_medals = ", so the game shows no medals for this level";
const char* const remake = "; remake the runs and their times with scripts/make-author-runs.sh";
// As the game reads replays: a longer file is no run.
constexpr std::uintmax_t max_run_bytes = std::uintmax_t(256) << 20;

bool read_file(const fs::path& path, std::string& text)
{
    std::error_code failed;
    const std::uintmax_t size = fs::file_size(path, failed);
    if (failed || size > max_run_bytes)
        return false;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return bool(in);
}

std::string attributes(const medal_times& m)
{
    return "gold=\"" + medal_times::format_time(m.gold_ms) + "\" silver=\"" + medal_times::format_time(m.silver_ms) +
           "\" bronze=\"" + medal_times::format_time(m.bronze_ms) + "\"";
}

// The times given, when all three are there and read; else reports why not.
bool given_times(element_checks& checks, const TiXmlElement* entry, medal_times& times)
{
    long* const fields[] = {&times.gold_ms, &times.silver_ms, &times.bronze_ms};
    std::string given;
    std::string missing;
    bool read = true;
    for (int i = 0; i < 3; ++i) {
        const char* text = entry->Attribute(medals[i]);
        std::string& list = text ? given : missing;
        list += (list.empty() ? "" : " and ") + std::string(medals[i]);
        if (text && !medal_times::parse_time(text, *fields[i])) {
            checks.error(entry, medals[i],
                         std::string(medals[i]) + "=\"" + text + "\" is not a time in seconds such as \"14.3\"" +
                             no_medals);
            read = false;
        }
    }
    if (given.empty())
        return false;
    if (!missing.empty()) {
        checks.error(entry, nullptr, "<Level> gives " + given + " but not " + missing + no_medals +
                                         "; give all three or none");
        return false;
    }
    if (read && !(times.gold_ms < times.silver_ms && times.silver_ms < times.bronze_ms)) {
        checks.error(entry, "gold", "the medal times do not rise from gold to silver to bronze" +
                                        std::string(no_medals));
        return false;
    }
    return read;
}

}

void medal_checks::check(element_checks& checks, const TiXmlElement* entry, const std::string& folder,
                         const std::string& level_file)
{
    medal_times given;
    const bool has_times = given_times(checks, entry, given);
    const bool has_any = entry->Attribute("gold") || entry->Attribute("silver") || entry->Attribute("bronze");
    if (level_file.empty())
        return;

    const fs::path level = fs::path(folder) / level_file;
    const fs::path runs = (fs::path(folder.empty() ? "." : folder) / ".." / "runs").lexically_normal();
    const fs::path path = author_run::path_in(runs, level_file);
    std::error_code ignored;
    if (!fs::exists(path, ignored))
        return;
    std::string text;
    std::string level_text;
    std::string problem;
    replay run;
    if (!read_file(path, text) || !replay_from_text(text, run, problem)) {
        checks.error(entry, nullptr, "the author run " + path.string() + " cannot be read" +
                                         (problem.empty() ? "" : " (" + problem + ")") + remake);
    } else if (run.level_file != level_file) {
        checks.error(entry, nullptr, "the author run " + path.string() + " is a run of " + run.level_file + remake);
    } else if (!read_file(level, level_text) || replay::hash_text(level_text) != run.level_hash) {
        checks.error(entry, nullptr, "the author run " + path.string() + " was made on another version of " +
                                         run.level_file + ", so the game cannot play it" + remake);
    } else if (!has_any) {
        checks.warning(entry, nullptr, "the level has an author run but no medal times; add " +
                                           attributes(author_run::medals_for(run.finish_time)));
    } else if (has_times) {
        const medal_times set = author_run::medals_for(run.finish_time);
        if (set.gold_ms != given.gold_ms || set.silver_ms != given.silver_ms || set.bronze_ms != given.bronze_ms)
            checks.error(entry, "gold", attributes(given) + " are not the times the author run " + path.string() +
                                            " sets, " + attributes(set) + remake);
    }
}
