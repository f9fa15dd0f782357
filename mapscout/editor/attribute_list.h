#pragma once

// The picked object's attributes as the panel lists them, by name in the
// file's order, then its waypoints ("waypoint 1") and an info box's text ("text"),
// then a last row to add an attribute ("name=value"). One row is chosen;
// Return starts typing its value (US keyboard letters, digits and common
// signs), Return again ends it and gives the change to make, Escape drops it.
// With no object picked the rows are the level's own settings (level_settings).

#include "app/input_codes.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class level_text;

class attribute_list {
public:
    // What typing ended with, for the draft.
    struct entry {
        enum class kind { attribute, waypoint, words, setting } what = kind::attribute;
        std::string name;
        std::size_t waypoint = 0;
        std::string value;
    };

    // The rows for `object` of `text` (the level's without one), the chosen one marked.
    std::vector<std::string> rows(const level_text& text, std::optional<std::size_t> object) const;
    void choose_next(int by, const level_text& text, std::optional<std::size_t> object);
    void reset() { chosen = 0; typing.reset(); }

    bool is_typing() const { return typing.has_value(); }
    void start_typing(const level_text& text, std::optional<std::size_t> object);
    // One key while typing; the entry when Return ended it.
    std::optional<entry> type(key_code key, bool shift);

    // The character a key gives on a US keyboard, 0 for none.
    static char character(key_code key, bool shift);

private:
    struct row {
        entry::kind what;
        std::string name;
        std::size_t waypoint;
        std::string value;
    };
    std::vector<row> rows_of(const level_text& text, std::optional<std::size_t> object) const;

    std::size_t chosen = 0;
    std::optional<std::string> typing;
    std::optional<row> typed_row;
};
