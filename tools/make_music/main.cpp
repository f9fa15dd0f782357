// make_music OUTPUT_FOLDER: composes, renders and writes the game's music
// (the menu theme and one looping track per level) as Ogg Vorbis files into
// OUTPUT_FOLDER, and its sound effects into OUTPUT_FOLDER/effects, creating
// the folders when missing. The build runs it; the output is the same on
// every run.

#include "sound_effects.h"
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
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder / "effects");
        soundtrack().write_all(folder.string(), std::thread::hardware_concurrency());
        sound_effects::write_all((folder / "effects").string());
    } catch (const std::exception& e) {
        std::cerr << "make_music: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
