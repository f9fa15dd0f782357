#include "display_rate.h"

#include <OgreRenderWindow.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

constexpr int unknown_rate = 60;

}

int display_rate(Ogre::RenderWindow* window)
{
    if (!window)
        return unknown_rate;
    Display* x = nullptr;
    Window id = 0;
    window->getCustomAttribute("XDISPLAY", &x);
    window->getCustomAttribute("WINDOW", &id);
    int event_base = 0, error_base = 0;
    // Asking a server without the extension would be an X error, which ends the game.
    if (!x || !id || !XRRQueryExtension(x, &event_base, &error_base))
        return unknown_rate;
    XRRScreenConfiguration* screen = XRRGetScreenInfo(x, id);
    if (!screen)
        return unknown_rate;
    const int rate = XRRConfigCurrentRate(screen);
    XRRFreeScreenConfigInfo(screen);
    return rate > 0 ? rate : unknown_rate;
}
