// level_difficulty --index CAMPAIGNS --routes FOLDER --runs FOLDER
// Prints a Markdown table with a row for every level the campaign index
// lists: its gold run's time, the path the ball rolls on it, the checkpoints
// it touches, the falls the route bot has on its first drive, and the marks
// the level selection shows (records/difficulty has the rule). The levels
// are read from the index's folder. Exit code 1 when a level could not be
// measured (its row says why), 2 on bad usage.

#include "bot_falls.h"
#include "headless_play/level_world.h"
#include "records/author_run.h"
#include "records/difficulty.h"
#include "states/campaign_object.h"

#include <tinyxml.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* const usage = "usage: level_difficulty --index CAMPAIGNS --routes FOLDER --runs FOLDER\n";

std::string read_text(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string level_name(const std::string& text)
{
    TiXmlDocument document;
    document.Parse(text.c_str());
    const TiXmlElement* root = document.RootElement();
    const char* name = root ? root->Attribute("name") : nullptr;
    return name ? name : "";
}

std::string number(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}

int main(int argc, char** argv)
{
    fs::path index, routes, runs;
    for (int i = 1; i < argc; i += 2) {
        const std::string name = argv[i];
        fs::path* option = name == "--index" ? &index : name == "--routes" ? &routes : name == "--runs" ? &runs : nullptr;
        if (!option || i + 1 >= argc) {
            std::cerr << usage;
            return 2;
        }
        *option = fs::absolute(argv[i + 1]);
    }
    if (index.empty() || routes.empty() || runs.empty()) {
        std::cerr << usage;
        return 2;
    }
    const auto campaigns = campaign_object::read_campaigns(index.string());
    if (campaigns.empty()) {
        std::cerr << index.string() << ": no campaigns could be read\n";
        return 1;
    }
    level_world world("level_difficulty");
    bool all = true;
    std::cout << "| campaign | level | name | gold run (s) | path (units) | checkpoints | bot falls | difficulty |\n"
                 "|---|---|---|---:|---:|---:|---:|---|\n";
    for (const auto& campaign : campaigns) {
        for (const level_entry* entry : campaign->get_levels()) {
            const std::string& file = entry->get_file_name();
            const std::string text = read_text(index.parent_path() / file);
            std::string row = "| " + campaign->get_name() + " | " + file + " | " + level_name(text) + " | ";
            replay run;
            std::string error;
            const int falls = bot_falls::count(world, file, text,
                                               (routes / (fs::path(file).stem().string() + ".route")).string(), error);
            if (text.empty() || !replay::load_for_level(author_run::path_in(runs, file), file,
                                                        replay::hash_text(text), run)) {
                all = false;
                std::cout << row << "no gold run of the level as it is | | | | |\n";
                continue;
            }
            const difficulty::numbers n =
                difficulty::of(run, difficulty::checkpoints_in((index.parent_path() / file).string()));
            const int marks = difficulty::marks(n);
            all = all && falls >= 0;
            std::cout << row << number(n.time, 2) << " | " << number(n.length, 0) << " | " << n.checkpoints << " | "
                      << (falls >= 0 ? std::to_string(falls) : error) << " | " << std::string(marks, '*')
                      << std::string(5 - marks, '.') << " " << marks << " |\n";
        }
    }
    return all ? 0 : 1;
}
