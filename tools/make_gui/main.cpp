// make_gui OUTPUT_FOLDER: writes the GUI textures (skin atlas, pointer and the
// default level preview) into OUTPUT_FOLDER, which must exist. The build runs
// it; every run writes the same pictures.

#include "gui_atlas.h"
#include "level_preview.h"
#include "png_writer.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_gui OUTPUT_FOLDER\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    try {
        write_png(paint_gui_atlas(), folder + "quillax_gui.png");
        write_png(paint_gui_pointer(), folder + "quillax_pointer.png");
        write_png(paint_default_preview(), folder + "test_level_pre.png");
    } catch (const std::exception& e) {
        std::cerr << "make_gui: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
