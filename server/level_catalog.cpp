#include "level_catalog.h"

#include "records/replay.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

std::size_t level_catalog::add_folder(const fs::path& folder)
{
    std::error_code failed;
    std::vector<fs::path> found;
    for (fs::directory_iterator it(folder, failed), end; !failed && it != end; it.increment(failed))
        if (it->path().extension() == ".map" && it->is_regular_file(failed))
            found.push_back(it->path());
    if (failed) {
        std::fprintf(stderr, "quillax-server: cannot read the level folder %s: %s\n", folder.c_str(),
                     failed.message().c_str());
        return 0;
    }
    std::size_t added = 0;
    for (const fs::path& path : found) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!in) {
            std::fprintf(stderr, "quillax-server: cannot read the level %s; runs on it are refused\n", path.c_str());
            continue;
        }
        add(path.filename().string(), text.str());
        ++added;
    }
    return added;
}

void level_catalog::add(const std::string& file, const std::string& text)
{
    levels[replay::hash_text(text)] = known_level{file, text};
    files.insert(file);
}

const level_catalog::known_level* level_catalog::find(std::uint64_t hash) const
{
    const auto it = levels.find(hash);
    return it == levels.end() ? nullptr : &it->second;
}
