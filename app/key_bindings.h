#pragma once

// The keys of play, one per action, which the player may bind anew in the
// settings file. No two actions share a key. The defaults are the keys the
// game has always had, and R for the instant restart.

#include "input_codes.h"

#include <array>
#include <cstddef>

class key_bindings {
public:
    enum action { forward, left, backward, right, menu, leave, screenshot, restart, action_count };

    key_code key(action a) const { return keys[a]; }
    // Binds `a` to `key`; false, changing nothing, when another action has it.
    bool bind(action a, key_code key);
    // Binds every action at once (so two may swap keys); false, changing
    // nothing, when two share a key.
    bool bind_all(const std::array<key_code, action_count>& wanted);
    const std::array<key_code, action_count>& all() const { return keys; }
    // The action bound to `key`, or action_count.
    action bound_to(key_code key) const;

    // "key_forward": the action's name in the settings file.
    static const char* setting_name(action a);
    // "roll forward": what it does, for messages and menus.
    static const char* description(action a);
    // "to roll forward", "for the in-game menu": what a key is for, to
    // follow "is already used" and "Press the new key".
    static const char* purpose(action a);
    static key_code default_key(action a);

private:
    std::array<key_code, action_count> keys{KC_W, KC_A, KC_S, KC_D, KC_ESCAPE, KC_TAB, KC_SYSRQ, KC_R};
};
