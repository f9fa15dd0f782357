#pragma once

// The in-game menu over a paused level: a dimming picture fades in, the
// buttons (resume, restart, options, back to the title) and the keys that
// work come up, the options open over it from its button, and it fades out
// again on resume. The play view's words step aside while it covers the
// game. Its buttons are pressed through the owner's `press`, so that the
// keyboard's Return and a click do the same.

#include "screen_cover.h"

#include <functional>
#include <memory>
#include <string>

class menu_navigation;
class options_screen;
struct game_context;
namespace MyGUI {
class Gui;
class ImageBox;
class Widget;
}

class ingame_menu {
public:
    enum state_type : unsigned short { closed = 0, fading_in = 1, open = 2, fading_out = 4 };
    using press_handler = std::function<void(const std::string& button)>;

    ingame_menu(game_context& context, menu_navigation& navigation, press_handler press);
    ~ingame_menu();
    ingame_menu(const ingame_menu&) = delete;
    ingame_menu& operator=(const ingame_menu&) = delete;

    // A level's screen on `gui` (none without a display): closed and clear.
    void start(MyGUI::Gui* gui);
    // Fading in from closed; fading out once fully open.
    void toggle();
    // The resume button: fading out.
    void resume() { state = fading_out; }
    // The options button: they open at the next frame, over the menu.
    void ask_options() { options_asked = true; }
    // The menu key, `new_press` when it went down this frame: true when the
    // menu takes it for itself, backing out of the options. The press that
    // closed the options must not close the menu below them too: the key
    // acts on the menu again only once let go.
    bool takes_menu_key(bool new_press);
    // One frame while the game is paused; false once the menu has faded out
    // and play goes on. `rebound` is called when the options changed keys.
    bool frame(float dt, const std::function<void()>& rebound);
    // Play goes on: no overlay, nothing covered.
    void playing();
    // Forgets what it covered and any options (a new screen replaces all).
    void forget();
    // The window's widgets are gone (the state pauses or ends).
    void drop();

    state_type get_state() const { return state; }
    bool is_loaded() const { return loaded; }
    // The options are open and may be waiting for a key.
    bool takes_keys() const;
    bool has_options() const { return options != nullptr; }

private:
    void open_frame(const std::function<void()>& rebound);
    void show_overlay(float value);
    void hide_buttons();
    void on_click(MyGUI::Widget* sender);

    game_context& context;
    menu_navigation& navigation;
    press_handler press;
    MyGUI::Gui* gui = nullptr;
    MyGUI::ImageBox* overlay = nullptr;
    state_type state = closed;
    float alpha = 0.0f;
    bool loaded = false;
    std::unique_ptr<options_screen> options;
    bool options_asked = false;
    bool key_spent = false;
    // The play view's words, hidden while the menu covers the game.
    screen_cover cover;
};
