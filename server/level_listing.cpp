#include "level_listing.h"

#include "level/level_document.h"

#include <tinyxml.h>

namespace {

bool is_space_or_control(const std::string& text, std::size_t at, std::size_t& length)
{
    const unsigned char c = static_cast<unsigned char>(text[at]);
    length = 1;
    if (c <= 0x20 || c == 0x7f)
        return true;
    // U+0080 to U+009F: C2 80 to C2 9F.
    if (c == 0xc2 && at + 1 < text.size()) {
        const unsigned char next = static_cast<unsigned char>(text[at + 1]);
        if (next >= 0x80 && next <= 0x9f) {
            length = 2;
            return true;
        }
    }
    return false;
}

}

std::string level_listing::cleaned(const std::string& text, std::size_t cap)
{
    std::string out;
    bool space = false;
    for (std::size_t at = 0, length = 1; at < text.size(); at += length) {
        if (is_space_or_control(text, at, length)) {
            space = !out.empty();
            continue;
        }
        if (space)
            out += ' ';
        space = false;
        out += text[at];
    }
    if (out.size() <= cap)
        return out;
    std::size_t cut = cap;
    // Never between a character's first byte and its continuation bytes.
    while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xc0) == 0x80)
        --cut;
    out.resize(cut);
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

level_listing level_listing::read(const std::string& file, const std::string& text)
{
    level_listing listing;
    const level_document read = level_document::read_text(text);
    if (const TiXmlElement* level = read.get_level()) {
        if (const char* name = level->Attribute("name"))
            listing.name = cleaned(name, max_name);
        if (const TiXmlElement* description = level->FirstChildElement("Description"))
            if (const char* words = description->GetText())
                listing.description = cleaned(words, max_description);
    }
    if (listing.name.empty())
        listing.name = cleaned(file, max_name);
    return listing;
}
