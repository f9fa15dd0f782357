#include "window_events.h"

#include <OgreRenderWindow.h>

#include <X11/Xlib.h>

window_events::window_events(Ogre::RenderWindow* window)
    : window(window)
{
    Display* x = nullptr;
    Window id = 0;
    window->getCustomAttribute("XDISPLAY", &x);
    window->getCustomAttribute("WINDOW", &id);
    display = x;
    handle = id;
    if (!x || !id)
        return;
    Atom atom = XInternAtom(x, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(x, id, &atom, 1);
    delete_atom = atom;
}

void window_events::pump()
{
    auto* x = static_cast<Display*>(display);
    if (!x || !handle)
        return;
    XEvent event;
    while (XCheckTypedWindowEvent(x, handle, ClientMessage, &event))
        if (event.xclient.format == 32 && static_cast<unsigned long>(event.xclient.data.l[0]) == delete_atom)
            close_requested = true;
    while (XCheckWindowEvent(x, handle, StructureNotifyMask | VisibilityChangeMask | FocusChangeMask, &event)) {
        switch (event.type) {
        case ConfigureNotify: {
            const unsigned width = window->getWidth(), height = window->getHeight();
            window->windowMovedOrResized();
            resized = resized || width != window->getWidth() || height != window->getHeight();
            break;
        }
        case MapNotify:
            window->setActive(true);
            window->setVisible(true);
            break;
        case UnmapNotify:
            window->setActive(false);
            window->setVisible(false);
            break;
        case VisibilityNotify:
            window->setActive(event.xvisibility.state != VisibilityFullyObscured);
            window->setVisible(event.xvisibility.state != VisibilityFullyObscured);
            break;
        case DestroyNotify:
            window_destroyed = true;
            break;
        case FocusOut:
            // Grabs move the focus for a moment; only another window takes it.
            if (event.xfocus.mode == NotifyNormal && event.xfocus.detail != NotifyInferior &&
                event.xfocus.detail != NotifyPointer)
                focus_lost = true;
            break;
        }
    }
}

bool window_events::take_close_request()
{
    const bool requested = close_requested;
    close_requested = false;
    return requested;
}

bool window_events::take_resize()
{
    const bool was = resized;
    resized = false;
    return was;
}

bool window_events::take_focus_loss()
{
    const bool lost = focus_lost;
    focus_lost = false;
    return lost;
}
