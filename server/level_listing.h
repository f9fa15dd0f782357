#pragma once

// What the list of shared levels shows of a level: the name and description
// its XML gives the game, made safe to show anywhere. Control characters
// (C0, DEL and C1) become spaces, runs of spaces one space, neither end has
// one, and each is capped in bytes at the start of a character. A level
// without a name is listed by its file name.

#include <cstddef>
#include <string>

class level_listing {
public:
    static constexpr std::size_t max_name = 60;
    static constexpr std::size_t max_description = 300;

    // `text`: a level file that loads; `file`: its file name.
    static level_listing read(const std::string& file, const std::string& text);
    // `text` (UTF-8) cleaned as above, at most `cap` bytes.
    static std::string cleaned(const std::string& text, std::size_t cap);

    std::string name;
    std::string description;
};
