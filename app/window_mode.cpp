#include "window_mode.h"

#include "input_manager.h"
#include "log.h"
#include "window_size.h"

#include <MyGUI_RenderManager.h>
#include <OgreCamera.h>
#include <OgreRenderWindow.h>
#include <OgreViewport.h>

#include <X11/Xlib.h>

#include <algorithm>

window_mode::window_mode(Ogre::RenderWindow* window, input_manager* input, std::vector<std::string> screen_modes)
    : window(window), input(input), screen_modes(std::move(screen_modes))
{
}

void window_mode::apply(const std::string& size, bool fullscreen)
{
    int width = 0, height = 0;
    if (!read_window_size(size, width, height))
        return;
    if (fullscreen && !offered(width, height)) {
        screen_size(width, height);
        log_line("The screen does not offer " + size + "; full screen keeps " + window_size_text(width, height));
    }
    log_line("Asking X for " + window_size_text(width, height) + (fullscreen ? " in full screen" : " in a window"));
    if (window->isFullScreen() != fullscreen)
        window->setFullscreen(fullscreen, unsigned(width), unsigned(height));
    Display* display = nullptr;
    Window id = 0;
    window->getCustomAttribute("XDISPLAY", &display);
    window->getCustomAttribute("WINDOW", &id);
    if (!display || !id)
        return;
    // OGRE's GL window only asks a window manager for full screen, and its
    // resize() leaves X's window as it is: the window is sized here, covering
    // the screen in full screen, centred otherwise (as OGRE places a new
    // one) so that a larger one stays on the screen.
    int screen_width = width, screen_height = height;
    screen_size(screen_width, screen_height);
    const int left = fullscreen ? 0 : std::max(0, (screen_width - width) / 2);
    const int top = fullscreen ? 0 : std::max(0, (screen_height - height) / 2);
    XMoveResizeWindow(display, id, left, top, unsigned(width), unsigned(height));
    XFlush(display);
}

void window_mode::follow()
{
    const int width = int(window->getWidth()), height = int(window->getHeight());
    for (unsigned short i = 0; i < window->getNumViewports(); ++i) {
        Ogre::Viewport* viewport = window->getViewport(i);
        if (Ogre::Camera* camera = viewport->getCamera())
            camera->setAspectRatio(Ogre::Real(viewport->getActualWidth()) / Ogre::Real(viewport->getActualHeight()));
    }
    if (MyGUI::RenderManager* gui = MyGUI::RenderManager::getInstancePtr())
        gui->setViewSize(width, height);
    if (input)
        input->set_window_size(width, height);
    log_line("The window is " + window_size_text(width, height) + " now");
}

bool window_mode::offered(int width, int height) const
{
    for (const std::string& mode : screen_modes) {
        int w = 0, h = 0;
        if (read_window_size(mode, w, h) && w == width && h == height)
            return true;
    }
    return false;
}

void window_mode::screen_size(int& width, int& height) const
{
    Display* display = nullptr;
    window->getCustomAttribute("XDISPLAY", &display);
    if (!display)
        return;
    width = DisplayWidth(display, DefaultScreen(display));
    height = DisplayHeight(display, DefaultScreen(display));
}
