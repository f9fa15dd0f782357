#pragma once

// Reports an error that ends the program: "ERROR: <text>" on stderr and, when
// there is a display, a message box titled "ERROR" that waits for the user.

#include <string>

void report_error(const std::string& text);
