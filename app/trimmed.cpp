#include "trimmed.h"

std::string trimmed(const std::string& text)
{
    // \r too: a file saved with Windows line ends reads the same.
    const char* blank = " \t\r";
    const auto first = text.find_first_not_of(blank);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(blank) - first + 1);
}
