// level_checker [--root DATA_FOLDER] FILE_OR_FOLDER...: checks level files
// (*.map) and campaign indexes (*.cmp), or every one in a folder, for
// everything that would stop a level from loading or make it misbehave.
// Problems go to stdout as `file:line: error|warning: message`, a summary
// line to stderr; the exit code is 1 when there are errors, 2 on bad usage,
// else 0. Without --root it finds the game's data as the game does, from its
// own executable's folder.

#include "check_report.h"
#include "check_run.h"
#include "data_root.h"
#include "media_folders.h"

#include <algorithm>
#include <exception>
#include <filesystem>

#include <iostream>
#include <string>
#include <vector>

namespace {

// The game's data beside this program, or installed next to it; none when
// neither is there (only the media beside each file are searched then).
std::string game_data()
{
    try {
        return data_root::find(data_root::executable_folder()).folder().string();
    } catch (const std::exception&) {
        return "";
    }
}

// A folder stands for its level files and campaign indexes, by name.
void add_files(const std::string& argument, std::vector<std::string>& files)
{
    std::error_code error;
    if (!std::filesystem::is_directory(argument, error)) {
        files.push_back(argument);
        return;
    }
    std::vector<std::string> found;
    for (std::filesystem::directory_iterator it(argument, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".map" || it->path().extension() == ".cmp")
            found.push_back(it->path().string());
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
}

}

int main(int argc, char** argv)
{
    std::string root;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--root" && i + 1 < argc)
            root = argv[++i];
        else if (argument.rfind("--root=", 0) == 0)
            root = argument.substr(7);
        else if (argument == "--help" || argument == "-h" || argument == "--root") {
            files.clear();
            break;
        } else
            add_files(argument, files);
    }
    if (files.empty()) {
        std::cerr << "usage: level_checker [--root DATA_FOLDER] FILE_OR_FOLDER...\n"
                     "  FILE_OR_FOLDER: level files (*.map) and campaign indexes (*.cmp), or a folder of them\n"
                     "  --root: the game's data folder (a build's run folder), where the meshes, music and\n"
                     "          previews are; found beside level_checker when not given\n";
        return 2;
    }
    check_report report;
    check_run run(report, media_folders(root.empty() ? game_data() : root));
    for (const std::string& file : files)
        run.check(file);
    report.print(std::cout);
    const int errors = report.error_count(), warnings = report.warning_count();
    std::cerr << "level_checker: " << run.files_checked() << (run.files_checked() == 1 ? " file" : " files")
              << " checked, " << errors << (errors == 1 ? " error" : " errors") << ", " << warnings
              << (warnings == 1 ? " warning" : " warnings") << '\n';
    return errors > 0 ? 1 : 0;
}
