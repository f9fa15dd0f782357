#pragma once

// Where the programs' read-only data lie (plugins.cfg, resources.cfg, the
// shipped config.cfg and media/), found from the executable's own folder and
// never from the folder the program was started in: beside the executable
// (the build's runnable folder, or a copy of it), else in the installed data
// folder <executable folder>/../share/games/quillax. A folder holds the data
// when plugins.cfg is in it; what else is missing there is then reported with
// the folder's own cure, not by trying the other place.

#include <filesystem>
#include <string>

class data_root {
public:
    // The data for programs in `executable_folder`. Throws std::runtime_error,
    // naming the places looked at, when neither holds them or when the chosen
    // one lacks resources.cfg or media/.
    static data_root find(const std::filesystem::path& executable_folder);
    // The folder of the running executable (/proc/self/exe).
    static std::filesystem::path executable_folder();

    const std::filesystem::path& folder() const { return where; }
    // True for a runnable folder: the data stand beside the executable.
    bool beside_executable() const { return beside; }
    // What the player does when a file of the data is missing or broken.
    std::string cure() const;

private:
    data_root(std::filesystem::path where, bool beside);
    void check_complete() const;

    std::filesystem::path where;
    bool beside;
};
