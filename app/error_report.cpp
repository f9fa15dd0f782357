#include "error_report.h"

#include <SDL.h>

#include <cstdlib>
#include <iostream>

void report_error(const std::string& text)
{
    std::cerr << "ERROR: " << text << std::endl;
    // Scripted runs set QUILLAX_NO_DIALOG so that a failure cannot wait forever
    // on a box nobody will click.
    const char* display = std::getenv("DISPLAY");
    if (display && *display && !std::getenv("QUILLAX_NO_DIALOG"))
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "ERROR", text.c_str(), nullptr);
}
