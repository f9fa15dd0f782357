#pragma once

// Binding a key of play anew on the options screen: a press on the action's
// button makes the screen wait for the key (the button takes the key focus
// and says "Press a key"); the next key pressed there is bound, unless it
// cannot be bound or another action has it, which a notice says. A click
// elsewhere or the focus going elsewhere ends the wait. While it waits, and
// until the key taken is let go, the screen's owner must give its own keys
// (Escape above all) no meaning: see takes_keys.

#include "app/key_bindings.h"

#include <MyGUI_KeyCode.h>
#include <MyGUI_Types.h>

#include <functional>
#include <string>

struct game_context;
namespace MyGUI {
class Button;
class Gui;
class Widget;
}

class key_rebinding {
public:
    // What the wait tells the options screen.
    struct screen_calls {
        // Show the values again, and `notice` on the notice line.
        std::function<void(const std::string& notice)> say;
        // A key was bound, a change like any other.
        std::function<void()> bound;
    };

    key_rebinding(game_context& context, MyGUI::Gui& gui, screen_calls calls);

    // The action's button hears the key pressed while it waits.
    void listen(MyGUI::Button& button);
    void await(key_bindings::action action);
    // A click ends the wait.
    void stop() { awaited = key_bindings::action_count; }
    bool takes_keys() const { return awaited != key_bindings::action_count || held != 0; }
    // Whether a binding changed since the screen opened.
    bool keys_changed() const { return rebound; }
    // Every key as it first was.
    void reset_keys();
    // The awaited key's button says so, over the key it had.
    void show_waiting() const;

private:
    void on_key_pressed(MyGUI::Widget* sender, MyGUI::KeyCode key, MyGUI::Char text);
    void on_key_released(MyGUI::Widget* sender, MyGUI::KeyCode key);
    void on_key_focus_lost(MyGUI::Widget* sender, MyGUI::Widget* next);
    void take_key(int key);

    game_context& context;
    MyGUI::Gui& gui;
    const screen_calls calls;
    key_bindings::action awaited = key_bindings::action_count;
    // The key just taken, until it is let go.
    int held = 0;
    bool rebound = false;
};
