// make_media OUTPUT_FOLDER: writes every generated mesh and texture the game
// loads into OUTPUT_FOLDER (which must exist). The build runs it; the output
// is the same on every run.

#include "game_meshes.h"
#include "game_textures.h"
#include "headless_ogre.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_media OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        headless_ogre ogre;
        write_game_meshes(argv[1]);
        write_game_textures(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "make_media: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
