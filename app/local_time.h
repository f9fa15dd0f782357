#pragma once

// The player's local time now, written with a strftime format ("%Y-%m-%d"):
// dates in the progress file and stamps on files set aside.

#include <string>

std::string local_time(const char* format);
