#include "player_name.h"

#include <cstdint>

namespace {

// The next code point of `text` from `at`, moving `at` past it; false for
// bytes that are no valid UTF-8 (overlong forms and surrogates included).
bool next_code_point(const std::string& text, size_t& at, std::uint32_t& code)
{
    const auto byte = [&](size_t i) { return std::uint8_t(text[i]); };
    const std::uint8_t first = byte(at);
    int more = 0;
    std::uint32_t least = 0;
    if (first < 0x80) {
        code = first;
    } else if ((first & 0xE0) == 0xC0) {
        code = first & 0x1F, more = 1, least = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        code = first & 0x0F, more = 2, least = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        code = first & 0x07, more = 3, least = 0x10000;
    } else {
        return false;
    }
    if (at + more >= text.size() && more > 0)
        return false;
    for (int i = 1; i <= more; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return false;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    at += 1 + more;
    return code >= least && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
}

bool is_control(std::uint32_t code)
{
    return code < 0x20 || (code >= 0x7F && code < 0xA0) || code == 0x2028 || code == 0x2029;
}

}

std::string player_name::problem(const std::string& name)
{
    size_t count = 0;
    for (size_t at = 0; at < name.size(); ++count) {
        std::uint32_t code = 0;
        if (!next_code_point(name, at, code))
            return "The name is not valid UTF-8 text.";
        if (is_control(code))
            return "The name may not hold control characters.";
    }
    if (count < 3 || count > 20)
        return "A name has 3 to 20 characters.";
    if (name.front() == ' ' || name.back() == ' ')
        return "A name may not begin or end with a space.";
    return "";
}
