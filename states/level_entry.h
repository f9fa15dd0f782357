#pragma once

// One level as the level selection lists it: file name, preview picture and
// medal times from the campaign index, display name and description from the
// level file itself, and a short name that fits the level list. An entry
// built from a broken `Level` element stays in its campaign with all strings
// empty.

#include "records/medal_times.h"

#include <string>

class TiXmlElement;

class level_entry {
public:
    explicit level_entry(const TiXmlElement* element);

    const std::string& get_name() const { return name; }
    const std::string& get_short_name() const { return short_name; }
    const std::string& get_description() const { return description; }
    const std::string& get_preview_file() const { return preview_file; }
    const std::string& get_file_name() const { return file_name; }
    bool is_locked() const { return locked; }
    // The medal times the index gives; none known when it gives none, or
    // gives them broken (logged).
    const medal_times& get_medals() const { return medals; }

    // At most 16 characters stay whole; longer names are cut at a first
    // blank between positions 5 and 12, else after 10 characters, and get "...".
    // Characters, not bytes: an umlaut counts once and is never split.
    static std::string shorten(const std::string& name);

    // The picture shown for entries that name none (and for missing ones).
    static constexpr const char* default_preview = "test_level_pre.png";

private:
    void read_medals(const TiXmlElement* element);

    std::string name;
    std::string short_name;
    std::string description;
    std::string preview_file;
    std::string file_name;
    bool locked = false;
    medal_times medals;
};
