#include "x_error_report.h"

#include "log.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void fail(const std::string& text)
{
    std::cerr << "ERROR: " << text << std::endl;
    log_line("ERROR: " + text);
    std::_Exit(1);
}

int on_x_error(Display* display, XErrorEvent* event)
{
    char description[256] = "";
    XGetErrorText(display, event->error_code, description, sizeof description);
    fail(std::string("The X server refused a request of the game (") + description + ", request " +
         std::to_string(int(event->request_code)) + "). If config.cfg was edited by hand, check its Video Mode.");
}

int on_x_io_error(Display*)
{
    fail("The connection to the X server was lost.");
}

}

void report_x_errors()
{
    XSetErrorHandler(on_x_error);
    XSetIOErrorHandler(on_x_io_error);
}

void check_x_display()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        const char* name = std::getenv("DISPLAY");
        throw std::runtime_error(std::string("Cannot open the X display \"") + (name ? name : "") +
                                 "\": the game needs a desktop (or Xvfb) to draw on.");
    }
    XCloseDisplay(display);
}
