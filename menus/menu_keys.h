#pragma once

// The in-game menu as it opens: the keys of play as the player bound them
// under the buttons, and the pointer on Resume, so that a click made in a
// hurry goes on playing rather than starting the level again.

class input_manager;
class key_bindings;
namespace MyGUI {
class Gui;
}

void show_menu_keys(MyGUI::Gui& gui, const key_bindings& keys, input_manager& input);
