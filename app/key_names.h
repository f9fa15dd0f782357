#pragma once

// Names for the keys a player can bind, as the settings file and the menus
// write them ("W", "Up", "Space", "Keypad8"). Matched without regard to case.

#include "input_codes.h"

#include <string>

// The key's name, or "Key N" (its code) for a key without one.
std::string key_name(key_code key);
// False when no key has that name.
bool key_from_name(const std::string& name, key_code& key);
