#pragma once

// How far ahead of or behind the best run the player is, shown at the top
// right of the play view for two seconds at each checkpoint: "−1.24" (ahead,
// green) or "+0.80" (behind, red); the sign says it without the colour. The
// text is record_text's gain_text.

namespace MyGUI {
class Colour;
class Gui;
class Widget;
}

class split_display {
public:
    explicit split_display(MyGUI::Gui* gui) : gui(gui) {}

    // `gain` is this run's time minus the best run's at the same place.
    void show(double gain);
    void update(float dt);

    static MyGUI::Colour colour_of(double gain);

private:
    MyGUI::Widget* panel() const;

    MyGUI::Gui* gui;
    float shown_for = 0.0f;
};
