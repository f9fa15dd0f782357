#pragma once

// Decides which frames of the main loop are drawn. A still menu changes only
// when the player acts, so it need not be drawn thirty times a second: it is
// drawn while the player acts and for a second after (the GUI's fades and
// highlights follow a click or a move), and otherwise twice a second, which
// also repairs a window that something covered, or as often as a slowly
// moving backdrop behind it asks. Every other frame is drawn.

class idle_redraw {
public:
    // Off: every frame is drawn.
    explicit idle_redraw(bool on) : on(on) {}

    // For each frame, after its input: `still` is the top state's word,
    // `acted` whether the player pressed, released or moved anything, and
    // `elapsed` the frame's time in seconds; `idle_rate` how many times a
    // second a still picture must be drawn all the same (0: twice).
    bool draw(bool still, bool acted, float elapsed, int idle_rate = 0);

private:
    bool on;
    // Since the player last acted or the picture last moved.
    float quiet = 0.0f;
    // Since the last frame drawn.
    float undrawn = 0.0f;
};
