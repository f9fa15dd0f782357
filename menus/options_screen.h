#pragma once

// The options screen, shown in the GUI of the title screen or over the
// paused game: the keys and the mouse, the music, the window and the
// picture, the ghost, each page behind a tab. Every change goes into the
// context's settings at once and is written to the settings file; the music,
// the mouse feel, the window's size and full screen change at once, the
// frame cap when the game starts again, shadows, bloom and the ghost with
// the next level.
//
// A key is bound anew by pressing its button and then the key; a key that
// another action has is refused with a notice. While the screen waits for
// that key, and until it is let go, the owner's own keys (Escape above all)
// must do nothing: see takes_keys. The owner polls is_closed after Back and
// then destroys the screen, which removes its widgets; keys_changed says
// whether key bindings made earlier must be made again.
//
// The screen itself is the frame: the tabs, Back and the notice line, saving
// each change. The pages (options_page) list and change the settings; the
// wait for a key is key_rebinding's.

#include "key_rebinding.h"

#include <MyGUI_Types.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class options_page;
struct game_context;
namespace MyGUI {
class Gui;
class Widget;
}

class options_screen {
public:
    options_screen(game_context& context, MyGUI::Gui& gui);
    ~options_screen();
    options_screen(const options_screen&) = delete;
    options_screen& operator=(const options_screen&) = delete;

    // Back, as the Back button does; nothing while a key is awaited.
    void back();
    bool is_closed() const { return closed; }
    bool takes_keys() const { return keys.takes_keys(); }
    bool keys_changed() const { return keys.keys_changed(); }

    // The same as clicking the widget of that name (tests, keyboard use).
    void press(const std::string& widget);

private:
    // Loads the layout and makes its pages, showing `page`.
    void build(const std::string& page);
    // One of the layout's own buttons (a tab, Back) does `action`.
    void hook_button(const std::string& name, std::function<void()> action);
    // Builds the screen anew once the window's size has changed.
    void on_frame(float time);
    void on_click(MyGUI::Widget* sender);
    void show_page(const std::string& page);
    void show_values();
    void changed(const std::string& applies);
    void notice(const std::string& text);

    game_context& context;
    MyGUI::Gui& gui;
    key_rebinding keys;
    MyGUI::Widget* panel = nullptr;
    // The GUI's view size the screen was built for.
    MyGUI::IntSize built_for;
    std::vector<std::unique_ptr<options_page>> pages;
    // What the layout's own buttons do.
    std::map<std::string, std::function<void()>> actions;
    bool closed = false;
};
