#pragma once

// Text without blanks (spaces, tabs, a Windows line end's \r) at either end,
// for the player's hand-editable files.

#include <string>

std::string trimmed(const std::string& text);
