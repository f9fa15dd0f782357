#pragma once

// Every message of the game goes to OGRE's default log at normal level, so
// level authors find load problems in ogre.log next to OGRE's own lines.

#include <string>

void log_line(const std::string& text);
