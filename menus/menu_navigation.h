#pragma once

// Drives whatever menu is on screen with the keyboard (and with a pad's
// d-pad, which arrives as arrow keys): the arrows move a highlight through
// the visible buttons and lists by where they stand, Return presses the
// highlighted button, and Up and Down on a highlighted list choose within
// it (past its ends they step on). Return on a list accepts its chosen line
// as a double click would, or, where the owner takes no double click on it,
// moves on to the control below (from the campaigns to their levels). The highlight is the real pointer moved onto the control, so mouse and
// keys mix freely and the control shows as the mouse would show it.
//
// The owner starts it with its GUI when its menus are entered, stops it
// before they go, calls update once a frame (from its own update, between
// input captures: the arrows of the last capture take their steps there),
// and asks press() first when Return comes: only when nothing is
// highlighted does Return keep the owner's own meaning. Arrows do nothing
// while the pointer is hidden (in play).

#include "app/input_codes.h"
#include "menu_steps.h"

#include <functional>
#include <string>

class input_manager;
namespace MyGUI {
class Gui;
class Widget;
}

class menu_navigation {
public:
    explicit menu_navigation(input_manager& input) : input(input) {}

    void start(MyGUI::Gui* gui);
    void stop();
    // `held`: a screen is taking keys of its own (the options awaiting a
    // key), and until the next update the arrows and Return do nothing.
    // Every other key pressed in the last capture goes to `other`, in the
    // order pressed: a tap shorter than a frame still counts.
    void update(bool held, const std::function<void(key_code)>& other = {});

    // Presses the highlighted button, or accepts a highlighted list's chosen
    // line (or moves on below it); false when nothing on screen is highlighted.
    bool press();
    // One arrow key's step.
    void step(menu_direction direction);
    // A new screen: nothing on it is highlighted yet.
    void forget() { current.clear(); }
    // The highlighted control's name; empty when none is.
    const std::string& highlighted() const { return current; }

private:
    // True when a highlighted list took the step within itself.
    bool step_in_list(MyGUI::Widget* widget, menu_direction direction);
    // To the control that way by where it stands (from none: the top-left one).
    void step_from(MyGUI::Widget* now, menu_direction direction);
    void highlight(MyGUI::Widget* widget);
    MyGUI::Widget* find_current() const;

    input_manager& input;
    MyGUI::Gui* gui = nullptr;
    std::string current;
    bool held = false;
};
