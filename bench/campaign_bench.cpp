// What the level selection costs to build: a campaign index of 200 levels in
// 10 campaigns is read as the main menu reads it each time it is shown (the
// index, then every level file for its name and description). Levels of
// several sizes show what reading a whole file for two values costs. Each
// figure is the fastest of five reads, with the files in the page cache.
//
// Usage: campaign_bench [levels]

#include "states/campaign_object.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using clock_type = std::chrono::steady_clock;

constexpr int levels_per_campaign = 20;

std::string level_file(int index)
{
    return "bench_" + std::to_string(index) + ".map";
}

void write_level(const std::filesystem::path& path, int index, int objects)
{
    std::ofstream out(path);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Level name=\"Bench level " << index
        << "\" music=\"level_01.ogg\">\n  <Description>Level " << index << " of the campaign benchmark: "
        << objects << " objects on a straight course.</Description>\n"
        << "  <Settings ambient=\"0.45 0.45 0.5\" gravity=\"0 -100 0\"/>\n  <Objects>\n"
        << "    <Object type=\"start\" pos=\"5 51.5 0\"/>\n";
    for (int i = 0; i < objects - 2; ++i)
        out << "    <Object type=\"block\" pos=\"" << 10 * (i % 3) << " 50 " << -10 * (i / 3) << "\"/>\n";
    out << "    <Object type=\"target\" pos=\"5 51.5 " << -10 * (objects / 3) << "\"/>\n  </Objects>\n</Level>\n";
}

void write_index(const std::filesystem::path& path, int levels)
{
    std::ofstream out(path);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Campaigns>\n";
    for (int first = 0; first < levels; first += levels_per_campaign) {
        out << "  <Campaign name=\"Campaign " << first / levels_per_campaign << "\">\n    <Levels>\n";
        for (int i = first; i < std::min(levels, first + levels_per_campaign); ++i)
            out << "      <Level filename=\"" << level_file(i) << "\" preview_file=\"level_01_pre.png\"/>\n";
        out << "    </Levels>\n  </Campaign>\n";
    }
    out << "</Campaigns>\n";
}

// The fastest of five reads of the whole index, in milliseconds.
double read_time(int levels)
{
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        const auto start = clock_type::now();
        const auto campaigns = campaign_object::read_campaigns("media/levels/campaigns.cmp");
        const double ms = std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
        size_t entries = 0;
        for (const auto& campaign : campaigns)
            entries += campaign->get_levels().size();
        if (entries != size_t(levels)) {
            std::fprintf(stderr, "read %zu level entries, expected %d\n", entries, levels);
            std::exit(1);
        }
        best = std::min(best, ms);
    }
    return best;
}

}

int main(int argc, char** argv)
{
    const int levels = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const auto previous = std::filesystem::current_path();
    const auto folder =
        std::filesystem::temp_directory_path() / ("quillax_campaign_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "media" / "levels");
    std::filesystem::current_path(folder);

    std::printf("%8s %14s %12s %12s %12s\n", "levels", "objects/level", "MiB read", "read ms", "ms/level");
    for (int objects : {50, 500, 2000}) {
        write_index(folder / "media" / "levels" / "campaigns.cmp", levels);
        std::uintmax_t bytes = 0;
        for (int i = 0; i < levels; ++i) {
            const auto path = folder / "media" / "levels" / level_file(i);
            write_level(path, i, objects);
            bytes += std::filesystem::file_size(path);
        }
        const double ms = read_time(levels);
        std::printf("%8d %14d %12.1f %12.1f %12.3f\n", levels, objects, double(bytes) / (1024.0 * 1024.0), ms,
                    ms / levels);
        std::fflush(stdout);
    }

    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
    return 0;
}
