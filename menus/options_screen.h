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

#include "app/key_bindings.h"

#include <MyGUI_KeyCode.h>
#include <MyGUI_Types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

struct game_context;
namespace MyGUI {
class Gui;
class Widget;
class Button;
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
    bool takes_keys() const { return awaited != key_bindings::action_count || held != 0; }
    bool keys_changed() const { return rebound; }

    // The same as clicking the widget of that name (tests, keyboard use).
    void press(const std::string& widget);

private:
    // One setting on a page: its name and value and how a press changes it
    // (step -1 or +1 for - and +, 0 for the value's own button).
    struct row {
        std::string name;
        std::string label;
        std::function<std::string()> value;
        std::function<void(int step)> change;
        bool stepped;
        // Said on the notice line once it has changed.
        std::string applies;
    };

    void fill_pages();
    void fill_controls();
    void fill_video();
    // A setting switched on and off by its button; one in percent, moved by ten with - and +.
    static row switch_row(const std::string& name, const std::string& label, bool& value, const std::string& applies);
    static row percent_row(const std::string& name, const std::string& label, int& value, int least, int most,
                           const std::string& applies);
    void add_row(const std::string& page, int column, int line, const row& r);
    void add_key_row(int column, int line, key_bindings::action action);
    // A new button on `page`, or with no page the layout's button of that name.
    MyGUI::Button* add_button(MyGUI::Widget* page, const std::string& name, const MyGUI::IntCoord& at,
                              const std::string& caption, std::function<void()> action);
    // Loads the layout and fills it, showing `page`.
    void build(const std::string& page);
    // Builds the screen anew once the window's size has changed.
    void on_frame(float time);
    void show_page(const std::string& page);
    void show_values();
    void changed(const std::string& applies);
    void await_key(key_bindings::action action);
    void on_click(MyGUI::Widget* sender);
    void on_key_pressed(MyGUI::Widget* sender, MyGUI::KeyCode key, MyGUI::Char text);
    void on_key_released(MyGUI::Widget* sender, MyGUI::KeyCode key);
    void on_key_focus_lost(MyGUI::Widget* sender, MyGUI::Widget* next);
    void take_key(int key);
    void reset_controls();
    void notice(const std::string& text);

    game_context& context;
    MyGUI::Gui& gui;
    MyGUI::Widget* panel = nullptr;
    // The GUI's view size the screen was built for.
    MyGUI::IntSize built_for;
    std::vector<row> rows;
    std::map<std::string, std::function<void()>> actions;
    key_bindings::action awaited = key_bindings::action_count;
    // The key just taken, until it is let go.
    int held = 0;
    bool closed = false;
    bool rebound = false;
};
