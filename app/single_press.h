#pragma once

// Held-key bindings run in every frame in which their key is down. A key that
// switches screens must act once per press, or the screen it opens sees the
// same press and acts on it too: Escape on the level selection would go back
// to the title screen and, a frame later, quit the game. The owner calls
// pressed() from the key's binding and next_frame() once a frame before input
// is captured (from its update).

class single_press {
public:
    // True only in the first frame of a press.
    bool pressed();
    void next_frame();

private:
    bool down_now = false;
    bool down_before = false;
};
