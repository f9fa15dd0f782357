#include "shared_level_check.h"

#include "check_report.h"
#include "level/level_files.h"
#include "level/level_limits.h"
#include "level_checker.h"
#include "media_folders.h"
#include "records/replay.h"
#include "shared_answers.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace {

bool ends_with_map(const std::string& name)
{
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".map") == 0;
}

// What the add-on folder holds under `name`; false when nothing.
bool read_existing(const std::filesystem::path& path, std::string& text)
{
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored))
        return false;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return true;
}

}

std::string shared_level_check::problem(const shared_level& level, const std::string& text,
                                        const std::filesystem::path& addon_folder, const std::string& data_root)
{
    if (!level_files::is_plain_name(level.file) || !ends_with_map(level.file) || level.file[0] == '.')
        return "its file name " + level.file + " is no plain level file name";
    if (level_files::is_shipped(level.file))
        return "the game ships a level of the same file name, " + level.file;
    if (text.size() > level_limits::max_bytes)
        return "it is larger than the game loads";
    if (replay::hash_text(text) != level.hash)
        return "the file that came is not the one listed";
    std::string existing;
    if (read_existing(addon_folder / level.file, existing) && existing != text)
        return "your add-on folder already holds another " + level.file + "; rename or move yours first";
    check_report report;
    const media_folders media(data_root);
    level_checker(report, media).check_text(level.file, text);
    if (report.error_count() == 0)
        return std::string();
    // The first error says what is wrong; "file:line: error: " is for authors.
    const std::string mark = ": error: ";
    for (const std::string& line : report.lines())
        if (const std::size_t said = line.find(mark); said != std::string::npos)
            return "the level checker refuses it: " + line.substr(said + mark.size());
    return "the level checker refuses it";
}
