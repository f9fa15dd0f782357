// make_previews OUTPUT_FOLDER LEVEL.map...: writes LEVEL_pre.png, a view of
// each course from above, into OUTPUT_FOLDER (created when missing). The
// build runs it whenever a level file changes.

#include "preview_maker.h"

#include <filesystem>
#include <iostream>
#include <system_error>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: make_previews OUTPUT_FOLDER LEVEL.map...\n";
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    const preview_maker maker;
    int result = 0;
    for (int i = 2; i < argc; ++i)
        if (!maker.make(argv[i], argv[1], std::cerr))
            result = 1;
    return result;
}
