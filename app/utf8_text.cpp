#include "utf8_text.h"

namespace {

bool is_continuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// How many bytes a lead byte announces; 1 for ASCII and for a stray byte.
size_t announced_length(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

// Where the character starting at `at` ends: after the continuation bytes
// its lead announces, as far as they are really there.
size_t character_end(const std::string& text, size_t at)
{
    const size_t wanted = announced_length(static_cast<unsigned char>(text[at]));
    size_t end = at + 1;
    while (end < text.size() && end - at < wanted && is_continuation(static_cast<unsigned char>(text[end])))
        ++end;
    return end;
}

}

size_t utf8_length(const std::string& text)
{
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at = character_end(text, at))
        ++count;
    return count;
}

std::string utf8_prefix(const std::string& text, size_t characters)
{
    size_t at = 0;
    for (size_t i = 0; i < characters && at < text.size(); ++i)
        at = character_end(text, at);
    return text.substr(0, at);
}
