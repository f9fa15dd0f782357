#pragma once

// The options screen's controls page: the key for each action of play in
// the first column, the mouse's turning and wheel in the second, and a button
// that puts all of them back as they first were.

#include "app/key_bindings.h"
#include "options_page.h"

class key_rebinding;

class options_controls : public options_page {
public:
    // `keys` waits for a key once its button is pressed; it outlives the page.
    options_controls(game_context& context, MyGUI::Gui& gui, screen_calls calls, key_rebinding& keys);

private:
    void add_key_row(int line, key_bindings::action action);
    void reset();

    key_rebinding& keys;
};
