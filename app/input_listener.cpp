#include "input_listener.h"

#include <utility>

input_listener::input_listener(std::string name)
    : name(std::move(name))
{
}

void input_listener::bind_key(key_code key, key_callback callback)
{
    key_bindings[key] = std::move(callback);
}

void input_listener::bind_mouse_button(mouse_button button, mouse_callback callback)
{
    mouse_bindings[button] = std::move(callback);
}
