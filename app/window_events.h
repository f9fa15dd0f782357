#pragma once

// The render window's message pump on X11: keeps OGRE's idea of the window's
// size, visibility and activity up to date, notices the close button, the
// player switching to another window and the window's size changing.
// OGRE's own pump compares close requests with an atom its GL window never
// sets and drops them; this one asks for WM_DELETE_WINDOW itself and reports
// it through take_close_request(), once a press: the program may ask before
// it ends. The window is left standing, so that the states and the
// application can tear down in their own order.

namespace Ogre {
class RenderWindow;
}

class window_events {
public:
    explicit window_events(Ogre::RenderWindow* window);
    window_events(const window_events&) = delete;
    window_events& operator=(const window_events&) = delete;

    // Handles every pending event of the window.
    void pump();
    // Whether the close button was pressed since the last call.
    bool take_close_request();
    // The window is gone: nothing is left to ask in.
    bool destroyed() const { return window_destroyed; }
    // Whether the window lost the keyboard's focus since the last call.
    bool take_focus_loss();
    // Whether the window's size changed since the last call.
    bool take_resize();

private:
    Ogre::RenderWindow* const window;
    void* display = nullptr;
    unsigned long handle = 0;
    unsigned long delete_atom = 0;
    bool close_requested = false;
    bool window_destroyed = false;
    bool focus_lost = false;
    bool resized = false;
};
