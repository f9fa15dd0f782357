#pragma once

// The Help page of the title screen: the controls as the player bound them,
// and a picture and a line for each thing a level holds (help.layout). The
// title screen loads it with show_help and handles its Back button.

#include <string>

class key_bindings;
namespace MyGUI {
class Gui;
}

void show_help(MyGUI::Gui& gui, const key_bindings& keys);
// The card's controls column.
std::string help_controls_text(const key_bindings& keys);
