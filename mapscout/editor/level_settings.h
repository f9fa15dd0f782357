#pragma once

// The level's own settings as the editor's panel lists them when no object
// is picked: the <Level>'s name and music, the <Description>'s words, the
// <Fog>'s start, end and colour, the <Settings>' ambient and gravity, and
// each light's attributes ("light 1 dir"). A change is one text edit: the
// value where it stands, or the attribute or the whole section put in when
// the level has none yet; an empty value takes an attribute away.

#include "text_edit.h"

#include <optional>
#include <string>
#include <vector>

class level_text;

class level_settings {
public:
    struct row {
        std::string name;
        std::string value;
    };

    static std::vector<row> rows(const level_text& text);
    // The edit that gives the row `name` its new `value`; none when nothing changes.
    static std::optional<text_edit> edit(const level_text& text, const std::string& name, const std::string& value);
};
