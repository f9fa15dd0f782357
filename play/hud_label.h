#pragma once

// A word or two over the play view on the HUD's own panel: a HudPanel that
// takes no clicks, holding one centred HudValue text. Split times and cues
// are made this way.

#include <MyGUI_Types.h>

#include <string>

namespace MyGUI {
class Gui;
class TextBox;
}

// Makes the panel `panel` at `at` (aligned by `align` in the Main layer)
// with its text `text` inside; returns the text.
MyGUI::TextBox* make_hud_label(MyGUI::Gui& gui, const std::string& panel, const std::string& text,
                               const MyGUI::IntCoord& at, MyGUI::Align align);
