// route_optimiser --index CAMPAIGNS --routes FOLDER --runs FOLDER [options] [LEVEL_FILE...]
// Makes the author run of each level the campaign index lists (or of the
// levels named): the fastest finish it can prove, starting from the route
// bot's drive on the level's route (FOLDER/<level name>.route). Each run is
// written to the runs folder under its replay file name, and its medal times
// to the index's <Level> elements, as soon as it is made. One line a level
// goes to stdout: the bot's time, the times after each half of the search,
// the search time.
// Exit code 1 when a level could not be made, 2 on bad usage.

#include "app/safe_file.h"
#include "author_run_maker.h"
#include "headless_play/level_world.h"
#include "medal_index.h"
#include "records/author_run.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct options {
    fs::path index;
    fs::path routes;
    fs::path runs;
    author_run_maker::budget limits;
    std::vector<std::string> levels;
};

const char* const usage =
    "usage: route_optimiser --index CAMPAIGNS --routes FOLDER --runs FOLDER [options] [LEVEL_FILE...]\n"
    "  --index FILE        the campaign index: its levels, and where their medal times are written\n"
    "  --routes FOLDER     the bot's routes, one <level name>.route a level\n"
    "  --runs FOLDER       where the author runs are written\n"
    "  --route-tries N     edited routes to try (1000)\n"
    "  --key-tries N       runs with edited keys to try (1000)\n"
    "  --seconds S         stop each level's search after S seconds (none: the same search every time)\n"
    "  --seed N            the search's seed (1)\n"
    "  LEVEL_FILE          only these levels of the index\n";

bool read_count(const char* text, std::size_t& count)
{
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (!std::isdigit(static_cast<unsigned char>(*text)) || *end != '\0' || errno == ERANGE || value > UINT32_MAX)
        return false;
    count = std::size_t(value);
    return true;
}

bool read_seconds(const char* text, double& seconds)
{
    char* end = nullptr;
    seconds = std::strtod(text, &end);
    return *text && *end == '\0' && std::isfinite(seconds) && seconds >= 0.0;
}

bool read_options(int argc, char** argv, options& out)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name.rfind("--", 0) != 0) {
            out.levels.push_back(name);
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const char* value = argv[++i];
        std::size_t seed = 0;
        bool read = true;
        if (name == "--index")
            out.index = fs::absolute(value);
        else if (name == "--routes")
            out.routes = fs::absolute(value);
        else if (name == "--runs")
            out.runs = fs::absolute(value);
        else if (name == "--route-tries")
            read = read_count(value, out.limits.route_tries);
        else if (name == "--key-tries")
            read = read_count(value, out.limits.key_tries);
        else if (name == "--seconds")
            read = read_seconds(value, out.limits.seconds);
        else if (name == "--seed") {
            read = read_count(value, seed);
            out.limits.seed = std::uint32_t(seed);
        } else
            read = false;
        if (!read)
            return false;
    }
    return !out.index.empty() && !out.routes.empty() && !out.runs.empty();
}

bool read_text(const fs::path& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return bool(in);
}

std::string seconds(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", value);
    return text;
}

// Sets the level's medal times in the index file, as it is now on disk.
bool write_medals(const fs::path& path, const std::string& level_file, const medal_times& medals)
{
    std::string text;
    if (!read_text(path, text)) {
        std::cerr << path.string() << ": cannot be read\n";
        return false;
    }
    medal_index index(text);
    if (!index.set(level_file, medals)) {
        std::cerr << level_file << ": no longer in " << path.string() << '\n';
        return false;
    }
    const std::string problem = index.get_text() == text ? "" : safe_file::write(path, index.get_text());
    if (!problem.empty())
        std::cerr << problem << '\n';
    return problem.empty();
}

// Makes and writes the run of one level and the medal times it sets, so
// that run and times agree even when a later level fails; false (with the
// reason on stderr) when it cannot.
bool make_run(level_world& world, const options& o, const std::string& level_file)
{
    std::string level_text;
    if (!read_text(o.index.parent_path() / level_file, level_text)) {
        std::cerr << level_file << ": cannot be read in " << o.index.parent_path().string() << '\n';
        return false;
    }
    route_bot route(nullptr);
    std::string problem;
    if (!route.load((o.routes / (fs::path(level_file).stem().string() + ".route")).string(), problem)) {
        std::cerr << problem << '\n';
        return false;
    }
    const std::clock_t cpu = std::clock();
    const author_run_maker::outcome made =
        author_run_maker::make(world, level_file, level_text, route.get_steps(), o.limits);
    const double cpu_seconds = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    if (!made.made) {
        std::cerr << made.problem << '\n';
        return false;
    }
    problem = safe_file::write(author_run::path_in(o.runs, level_file), made.run.to_text());
    if (!problem.empty()) {
        std::cerr << problem << '\n';
        return false;
    }
    const medal_times medals = author_run::medals_for(made.run.finish_time);
    std::cout << level_file << ": bot " << seconds(made.bot_time) << ", route search " << seconds(made.route_time)
              << ", keys search " << seconds(made.run.finish_time) << " (gold "
              << medal_times::format_time(medals.gold_ms) << ", silver " << medal_times::format_time(medals.silver_ms)
              << ", bronze " << medal_times::format_time(medals.bronze_ms) << "), searched for "
              << seconds(made.search_seconds) << " (" << seconds(cpu_seconds) << " of CPU)" << std::endl;
    return write_medals(o.index, level_file, medals);
}

}

int main(int argc, char** argv)
{
    options o;
    if (!read_options(argc, argv, o)) {
        std::cerr << usage;
        return 2;
    }
    std::string index_text;
    if (!read_text(o.index, index_text)) {
        std::cerr << o.index.string() << ": cannot be read\n";
        return 1;
    }
    const std::vector<std::string> listed = medal_index(index_text).level_files();
    // A level in two campaigns is made once.
    std::vector<std::string> levels;
    for (const std::string& level_file : o.levels.empty() ? listed : o.levels)
        if (std::find(levels.begin(), levels.end(), level_file) == levels.end())
            levels.push_back(level_file);
    bool all_made = true;
    level_world world("route_optimiser");
    for (const std::string& level_file : levels) {
        if (std::find(listed.begin(), listed.end(), level_file) == listed.end()) {
            std::cerr << level_file << ": not in " << o.index.string() << '\n';
            all_made = false;
            continue;
        }
        all_made = make_run(world, o, level_file) && all_made;
    }
    return all_made ? 0 : 1;
}
