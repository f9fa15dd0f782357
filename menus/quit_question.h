#pragma once

// The question Escape on the title screen asks before the game ends, so that
// one Escape too many on the way back from a screen never quits: "Quit
// Quillax?" in place of the title screen, which is hidden meanwhile. Return
// or Y quits, Escape stays, and so do its two buttons. The owner passes it
// each key pressed while it is up and polls answer() once a frame; the
// question goes with its object.

#include "app/input_codes.h"
#include "screen_cover.h"

namespace MyGUI {
class Gui;
class Widget;
}

class quit_question {
public:
    enum class answer { none, quit, stay };

    explicit quit_question(MyGUI::Gui& gui);
    ~quit_question();
    quit_question(const quit_question&) = delete;
    quit_question& operator=(const quit_question&) = delete;

    void key(key_code key);
    answer get_answer() const { return given; }

private:
    void on_click(MyGUI::Widget* sender);

    MyGUI::Gui& gui;
    // The title screen, which must not take a click or a highlight while
    // the question is up.
    screen_cover title;
    answer given = answer::none;
};
