// level_checker [--root RUN_FOLDER] FILE...: checks level files (*.map) and
// campaign indexes (*.cmp) for everything that would stop a level from
// loading or make it misbehave. Problems go to stdout as
// `file:line: error|warning: message`, a summary line to stderr; the exit
// code is 1 when there are errors, 2 on bad usage, else 0.

#include "check_report.h"
#include "check_run.h"
#include "media_folders.h"

#include <iostream>
#include <string>
#include <vector>

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
            files.push_back(argument);
    }
    if (files.empty()) {
        std::cerr << "usage: level_checker [--root RUN_FOLDER] FILE...\n"
                     "  FILE: level files (*.map) and campaign indexes (campaigns.cmp)\n"
                     "  --root: the build's run folder (build/release/run), where it generates meshes, music and "
                     "previews\n";
        return 2;
    }
    check_report report;
    check_run run(report, media_folders(root));
    for (const std::string& file : files)
        run.check(file);
    report.print(std::cout);
    const int errors = report.error_count(), warnings = report.warning_count();
    std::cerr << "level_checker: " << run.files_checked() << (run.files_checked() == 1 ? " file" : " files")
              << " checked, " << errors << (errors == 1 ? " error" : " errors") << ", " << warnings
              << (warnings == 1 ? " warning" : " warnings") << '\n';
    return errors > 0 ? 1 : 0;
}
