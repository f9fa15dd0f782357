// make_music OUTPUT_FOLDER: composes, renders and writes the game's music
// (the menu theme and one looping track per level) as Ogg Vorbis files into
// OUTPUT_FOLDER, creating it when missing. The build runs it; the output is
// the same on every run.

#include "soundtrack.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <thread>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_music OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        std::filesystem::create_directories(argv[1]);
        soundtrack().write_all(argv[1], std::thread::hardware_concurrency());
    } catch (const std::exception& e) {
        std::cerr << "make_music: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
