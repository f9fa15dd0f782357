// How fast one core verifies submitted runs: the server's verifier plays
// the shipped author runs again and again, as its workers do, for about a
// minute (at most 100 rounds), and reports runs a second and how many times
// faster than real time the runs play, levels loaded included. One worker
// process does this per core, so a server's verification scales with its
// cores.
//
// Usage: server_verify_bench [SECONDS]

#include "level_catalog.h"
#include "records/replay.h"
#include "replay_verifier.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct submitted {
    const level_catalog::known_level* level;
    std::string text;
    double seconds;
};

std::string read_text(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}

int main(int argc, char** argv)
{
    const double budget = argc > 1 ? std::atof(argv[1]) : 60.0;
    const fs::path media = fs::path(QUILLAX_MATERIALS_DIR).parent_path();
    level_catalog levels;
    levels.add_folder(media / "levels");
    std::vector<submitted> runs;
    for (const auto& entry : fs::directory_iterator(media / "runs")) {
        replay run;
        std::string error;
        const std::string text = read_text(entry.path());
        if (replay::parse(text, run, error) && levels.find(run.level_hash))
            runs.push_back({levels.find(run.level_hash), text, run.finish_time});
    }
    if (runs.empty()) {
        std::fprintf(stderr, "no author runs on shipped levels in %s\n", (media / "runs").c_str());
        return 1;
    }
    replay_verifier verifier;
    const auto start = std::chrono::steady_clock::now();
    double played = 0.0;
    int verified = 0;
    int refused = 0;
    double elapsed = 0.0;
    for (int round = 0; round < 100 && elapsed < budget; ++round) {
        for (const submitted& run : runs) {
            if (!verifier.verify(run.level->file, run.level->text, run.text).accepted())
                ++refused;
            played += run.seconds;
            ++verified;
        }
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    std::printf("verified %d runs (%d refused) of %.0f s of play in %.1f s on one core\n", verified, refused, played,
                elapsed);
    std::printf("%.1f runs a second, %.0f times faster than real time\n", verified / elapsed, played / elapsed);
    return refused == 0 ? 0 : 1;
}
