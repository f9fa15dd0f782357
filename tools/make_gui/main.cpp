// make_gui GUI_FOLDER ICON_FOLDER: writes the GUI textures (skin atlas, pointer
// and the default level preview) into GUI_FOLDER, and the desktop icon
// (quillax_64.png, quillax_128.png, quillax_256.png and quillax.svg) into
// ICON_FOLDER; both must exist. The build runs it; every run writes the same
// pictures.

#include "app_icon.h"
#include "gui_atlas.h"
#include "level_preview.h"
#include "png_writer.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

void write_icons(const std::string& folder)
{
    for (int size : {64, 128, 256})
        write_png(paint_app_icon(size), folder + "quillax_" + std::to_string(size) + ".png");
    std::ofstream svg(folder + "quillax.svg");
    svg << app_icon_svg();
    if (!svg.flush())
        throw std::runtime_error("cannot write " + folder + "quillax.svg");
}

}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_gui GUI_FOLDER ICON_FOLDER\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    try {
        write_png(paint_gui_atlas(), folder + "quillax_gui.png");
        write_png(paint_gui_pointer(), folder + "quillax_pointer.png");
        write_png(paint_default_preview(), folder + "test_level_pre.png");
        write_icons(std::string(argv[2]) + "/");
    } catch (const std::exception& e) {
        std::cerr << "make_gui: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
