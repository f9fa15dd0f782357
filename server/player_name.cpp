#include "player_name.h"

#include <cstdint>
#include <vector>

namespace {

// The code points of `text`, or false when it is not well-formed UTF-8
// (overlong forms, surrogates and values past U+10FFFF included).
bool decode(const std::string& text, std::vector<std::uint32_t>& out)
{
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        std::uint32_t cp = 0;
        std::uint32_t lowest = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1, cp = lead & 0x1F, lowest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, cp = lead & 0x0F, lowest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, cp = lead & 0x07, lowest = 0x10000;
        } else {
            return false;
        }
        if (text.size() - i < std::size_t(extra) + 1)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char c = static_cast<unsigned char>(text[i + std::size_t(k)]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = cp << 6 | (c & 0x3F);
        }
        if (cp < lowest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        out.push_back(cp);
        i += std::size_t(extra) + 1;
    }
    return true;
}

bool control(std::uint32_t cp)
{
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
}

}

std::string player_name::problem(const std::string& name)
{
    std::vector<std::uint32_t> points;
    if (name.size() > 80 || !decode(name, points))
        return "The name is not valid UTF-8 text.";
    if (points.size() < 3 || points.size() > 20)
        return "A name has 3 to 20 characters.";
    for (std::uint32_t cp : points)
        if (control(cp))
            return "A name may not hold control characters.";
    if (points.front() == ' ' || points.back() == ' ')
        return "A name may not begin or end with a space.";
    return std::string();
}
