#pragma once

// The level selection's difficulty of the chosen level: one to five lit discs
// of five beside the preview, worked out from the level's gold run (see
// records/difficulty), and nothing for a level without one (add-ons). Its
// widgets are made on the selection's panel when it is built; each level's
// run is read once.

#include <map>
#include <string>

namespace MyGUI {
class Gui;
class TextBox;
}

class difficulty_marks {
public:
    explicit difficulty_marks(MyGUI::Gui& gui);

    void show(const std::string& level_file);
    // Five discs, the first `marks` lit, in MyGUI's colour tags.
    static std::string marks_text(int marks);

private:
    // The level's marks, 0 when it has no gold run.
    int marks_of(const std::string& level_file);

    MyGUI::TextBox* label = nullptr;
    MyGUI::TextBox* marks = nullptr;
    std::map<std::string, int> known;
};
