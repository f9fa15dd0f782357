#pragma once

// The Help page of the title screen (help.layout): a table of the controls,
// each action with the key the player bound to it and its gamepad control,
// and a picture and a line for each thing a level holds. The title screen
// loads it with show_help, after clearing its own widgets, and handles its
// Back button.

class key_bindings;
namespace MyGUI {
class Gui;
}

void show_help(MyGUI::Gui& gui, const key_bindings& keys);
