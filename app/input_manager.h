#pragma once

// Owns the keyboard and mouse of the render window and turns their input into
// calls on named bindings. Each frame capture() reads both devices, forwards
// their events to the GUI that is set (if any) and then runs the binding of
// every held key. Listeners are stored as copies in the order they were added;
// callbacks must not add or remove listeners (they only set flags).
//
// Without a render window (headless tests) no devices are opened; the
// run_*_bindings operations then let tests drive the dispatch directly.

#include "gamepad.h"
#include "input_codes.h"
#include "input_listener.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace MyGUI {
class Gui;
}

class input_manager {
public:
    input_manager();
    ~input_manager();

    void add_listener(const input_listener& listener);
    void remove_listener(const input_listener& listener);
    void remove_listener(const std::string& name);
    void remove_last_listener();
    bool has_listener(const std::string& name) const;

    // Reads the keyboard, the mouse and the pads (when set), then runs the
    // bindings of every held key.
    void capture(float frame_time);
    // The pads read by capture: their buttons arrive as the keys `key_for`
    // gives (pressed and let go like a keyboard's), their sticks through
    // get_sticks. `key_for` is asked at each press, so it may follow the
    // player's bindings.
    void set_gamepad(gamepad* pad, std::function<key_code(gamepad::button)> key_for);
    // The pads' sticks as of the last capture; at rest without a pad.
    gamepad::sticks get_sticks() const;
    // Whether the last capture saw a key, a button or the mouse move.
    bool acted() const { return any_event; }
    // The keys pressed during the last capture, in order: a tap shorter than
    // a frame is here even though no held-key binding saw it.
    const std::vector<key_code>& presses() const { return pressed; }
    // A screen took this press for itself (a key being bound): it is no
    // longer a menu's step or press.
    void consume_press(key_code key);
    // Another state takes over: the presses of the last capture were the
    // leaving state's.
    void forget_presses() { pressed.clear(); }

    void set_gui(MyGUI::Gui* gui) { this->gui = gui; }
    // `answer` runs whenever a GUI button is pressed, by the mouse here or
    // by a menu's keys through button_pressed: the menus' click.
    void set_button_answer(std::function<void()> answer) { button_answer = std::move(answer); }
    void button_pressed() const;
    MyGUI::Gui* get_gui() const { return gui; }

    mouse_state get_mouse_state() const;

    // In play the pointer is hidden and kept inside the window so the mouse
    // can turn the camera without limit; in menus it moves freely.
    void set_mouse_captured(bool captured);
    // Shows the GUI's pointer, free and drawn where the real pointer is, or
    // hides and captures it for play.
    void show_pointer(bool shown);
    // Puts the free pointer at (x, y) in the window, on a menu's first choice.
    void move_pointer(int x, int y);
    // The window's new size, within which the mouse's position is kept.
    void set_window_size(int width, int height);

    // Held-key dispatch: each listener in order, each of its keys in code order.
    void run_key_bindings(const std::function<bool(key_code)>& key_down);
    // Every bound button that is down when any button is pressed fires.
    void run_mouse_bindings(const mouse_state& state);

    // Event forwarding from the devices.
    void key_pressed(int key, unsigned int text);
    void key_released(int key);
    void mouse_moved(const mouse_state& state);
    void mouse_pressed(const mouse_state& state, mouse_button button);
    void mouse_released(const mouse_state& state, mouse_button button);

private:
    class devices;
    struct gui_point {
        int x;
        int y;
    };

    // Where the GUI must see the pointer: the real pointer while it is free.
    gui_point gui_position(const mouse_state& state) const;
    void read_gamepad();
    bool held_by_pad(key_code key) const;

    std::unique_ptr<devices> input_devices;
    std::vector<input_listener> listeners;
    float frame_time = 0.0f;
    bool any_event = false;
    std::vector<key_code> pressed;
    gamepad* pad = nullptr;
    std::function<key_code(gamepad::button)> pad_key;
    // Keys a pad's button holds down, with the button holding each.
    std::map<gamepad::button, key_code> pad_held;
    MyGUI::Gui* gui = nullptr;
    std::function<void()> button_answer;
};
