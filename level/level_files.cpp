#include "level_files.h"

#include <system_error>

namespace {

std::filesystem::path& addons()
{
    static std::filesystem::path folder;
    return folder;
}

bool is_file(const std::filesystem::path& path)
{
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

}

void level_files::set_addon_folder(const std::filesystem::path& folder)
{
    addons() = folder;
}

const std::filesystem::path& level_files::addon_folder()
{
    return addons();
}

bool level_files::is_shipped(const std::string& file_name)
{
    return is_file(shipped_folder + file_name);
}

std::string level_files::path_of(const std::string& file_name)
{
    const std::string shipped = shipped_folder + file_name;
    if (addons().empty() || !is_plain_name(file_name) || is_file(shipped))
        return shipped;
    const std::filesystem::path addon = addons() / file_name;
    return is_file(addon) ? addon.string() : shipped;
}

bool level_files::is_plain_name(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}
