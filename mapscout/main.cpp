// mapscout: flies a free probe through the one level named on the command
// line, for level authors.

#include "app/application.h"
#include "app/run_guarded.h"

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cout << "Kein Level als Argument angegeben" << std::endl;
        return 0;
    }
    const std::string level_file = argv[1];
    const std::string error = run_guarded([&](application& app) { app.run_level(level_file); });
    if (error.empty())
        return 0;
    std::cerr << "ERROR: " << error << std::endl;
    return 1;
}
