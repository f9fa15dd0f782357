#include "key_bindings.h"

namespace {

struct action_text {
    const char* setting;
    const char* description;
    const char* purpose;
};

const action_text texts[key_bindings::action_count] = {
    {"key_forward", "roll forward", "to roll forward"},
    {"key_left", "roll left", "to roll left"},
    {"key_backward", "roll backward", "to roll backward"},
    {"key_right", "roll right", "to roll right"},
    {"key_menu", "in-game menu", "for the in-game menu"},
    {"key_leave", "leave the level", "to leave the level"},
    {"key_screenshot", "screenshot", "for screenshots"},
    {"key_restart", "restart the level", "to restart the level"},
};

}

bool key_bindings::bind(action a, key_code key)
{
    const action holder = bound_to(key);
    if (holder != action_count && holder != a)
        return false;
    keys[a] = key;
    return true;
}

bool key_bindings::bind_all(const std::array<key_code, action_count>& wanted)
{
    for (std::size_t i = 0; i < wanted.size(); ++i)
        for (std::size_t j = i + 1; j < wanted.size(); ++j)
            if (wanted[i] == wanted[j])
                return false;
    keys = wanted;
    return true;
}

key_bindings::action key_bindings::bound_to(key_code key) const
{
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key)
            return action(i);
    return action_count;
}

const char* key_bindings::setting_name(action a)
{
    return texts[a].setting;
}

const char* key_bindings::description(action a)
{
    return texts[a].description;
}

const char* key_bindings::purpose(action a)
{
    return texts[a].purpose;
}

key_code key_bindings::default_key(action a)
{
    return key_bindings().key(a);
}
