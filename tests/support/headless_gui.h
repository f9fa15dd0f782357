#pragma once

// A real MyGUI Gui with the game's own media (core.xml, skins, fonts,
// layouts) and no window: a render manager that draws nothing, textures that
// keep their pixels in memory, and files read from media/gui and the built
// fonts. Layouts load, widgets are found by name, captions and text sizes come
// from the real fonts, so tests can read what a state or an object shows.
// The view size stands in for the window's size.

#include <memory>

namespace MyGUI {
class Gui;
}

class headless_gui {
public:
    explicit headless_gui(int width = 1024, int height = 768);
    ~headless_gui();
    headless_gui(const headless_gui&) = delete;
    headless_gui& operator=(const headless_gui&) = delete;

    MyGUI::Gui* get() const { return gui.get(); }

private:
    class platform;

    std::unique_ptr<platform> backend;
    std::unique_ptr<MyGUI::Gui> gui;
};
