#pragma once

// Every text on screen that the player cannot read whole: a caption wider or
// taller than the room its widget gives it, or drawn past the edge of a
// widget that holds it (which crops it) or of the window. Only what is shown
// counts: hidden widgets, and list lines scrolled out of view, are skipped.
// Each finding names the widget, the text and both sizes, for test output.

#include <string>
#include <vector>

namespace MyGUI {
class Gui;
}

std::vector<std::string> clipped_texts(MyGUI::Gui& gui);
