#pragma once

// Writes medal times into a campaign index's text as the gold, silver and
// bronze attributes of its <Level> elements, changing nothing else: every
// other byte, comment, attribute order and quote stays as the author wrote
// it. A value already there is replaced where it stands (in its own quotes);
// a missing one is added after the element's last attribute.

#include "records/medal_times.h"

#include <string>
#include <vector>

class medal_index {
public:
    explicit medal_index(std::string text);

    // The filename of every <Level> element, in the order of the text.
    std::vector<std::string> level_files() const;
    // Sets the times on every <Level> naming `level_file`; false when none does.
    bool set(const std::string& level_file, const medal_times& times);
    const std::string& get_text() const { return text; }

private:
    struct attribute {
        std::string name;
        std::string value;             // with the five XML entities read
        std::size_t value_begin = 0;   // the value's first byte, inside the quotes
        std::size_t value_end = 0;     // one past its last byte
    };
    struct element {
        std::vector<attribute> attributes;
        std::size_t after_attributes = 0; // where a new attribute goes
    };

    std::vector<element> levels() const;
    // The attributes of the tag whose name ends before `at`, up to its '>'.
    element read_tag(std::size_t at) const;

    std::string text;
};
