#pragma once

// Changes the running window's size and full screen when the player picks
// them in Options, and brings what was sized for the old window along once
// X has resized it: the cameras' aspect, the GUI's view and the pointer's
// area. X, or the window manager, resizes the window some time after it is
// asked, or in its own way, so follow() must run whenever the window's size
// has changed, whoever changed it.
//
// The render system and anti-aliasing are chosen when the window is made;
// changing them needs a new window, so they wait for the next start.
// The window and the input manager must outlive this object.

#include <string>
#include <vector>

namespace Ogre {
class RenderWindow;
}
class input_manager;

class window_mode {
public:
    // `screen_modes` are the render system's video modes, such as "1920 x 1080".
    window_mode(Ogre::RenderWindow* window, input_manager* input, std::vector<std::string> screen_modes);

    // Asks for a window of `size` ("1024 x 768"), or for full screen in that
    // mode; full screen in a mode the screen does not offer keeps the
    // screen's present size (logged).
    void apply(const std::string& size, bool fullscreen);
    // Brings the cameras, the GUI and the pointer to the window's present
    // size, and logs it.
    void follow();

private:
    bool offered(int width, int height) const;
    void screen_size(int& width, int& height) const;

    Ogre::RenderWindow* const window;
    input_manager* const input;
    const std::vector<std::string> screen_modes;
};
