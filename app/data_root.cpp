#include "data_root.h"

#include <optional>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool holds_data(const fs::path& folder)
{
    std::error_code ignored;
    return fs::is_regular_file(folder / "plugins.cfg", ignored);
}

}

data_root::data_root(fs::path where, bool beside) : where(std::move(where)), beside(beside) {}

data_root data_root::find(const fs::path& executable_folder)
{
    const fs::path installed = (executable_folder / "../share/games/quillax").lexically_normal();
    std::optional<data_root> found;
    if (holds_data(executable_folder))
        found = data_root(executable_folder, true);
    else if (holds_data(installed))
        found = data_root(installed, false);
    else
        throw std::runtime_error("The game's data are missing: there is no " +
                                 (executable_folder / "plugins.cfg").string() + " beside the program and no " +
                                 (installed / "plugins.cfg").string() +
                                 " in the installed data folder. Reinstall the game, or start the program in the "
                                 "build's runnable folder (bash scripts/build.sh release makes build/release/run)");
    found->check_complete();
    return *found;
}

fs::path data_root::executable_folder()
{
    std::error_code failed;
    const fs::path executable = fs::read_symlink("/proc/self/exe", failed);
    if (failed)
        throw std::runtime_error("Cannot find the program's own folder: /proc/self/exe cannot be read (" +
                                 failed.message() + "); the game needs /proc mounted");
    return executable.parent_path();
}

std::string data_root::cure() const
{
    return beside ? "bash scripts/build.sh release makes it again" : "reinstall the game to get it back";
}

void data_root::check_complete() const
{
    std::error_code ignored;
    if (!fs::is_regular_file(where / "resources.cfg", ignored))
        throw std::runtime_error("The game's resource list " + (where / "resources.cfg").string() +
                                 " is missing: " + cure());
    if (!fs::is_directory(where / "media", ignored))
        throw std::runtime_error("The game's media folder " + (where / "media").string() + " is missing: " + cure());
}
