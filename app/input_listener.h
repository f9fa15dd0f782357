#pragma once

// A named set of key and mouse-button bindings. Owners (states, the ball, the
// camera) fill one in and hand a copy to the input manager while they are
// active; they withdraw it by name before they go away, because a binding
// calls back into its owner. Key callbacks run in every frame the key is
// held, with the frame time in seconds.

#include "input_codes.h"

#include <boost/function.hpp>

#include <map>
#include <string>

using key_callback = boost::function<void(float)>;
using mouse_callback = boost::function<void(float, const mouse_state&)>;

class input_listener {
public:
    explicit input_listener(std::string name);

    // Binding a key or button again replaces its earlier callback.
    void bind_key(key_code key, key_callback callback);
    void bind_mouse_button(mouse_button button, mouse_callback callback);

    std::map<key_code, key_callback> key_bindings;
    std::map<mouse_button, mouse_callback> mouse_bindings;
    std::string name;
};
