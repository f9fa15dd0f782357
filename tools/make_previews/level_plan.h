#pragma once

// What a level file holds that a picture from above needs: the objects with
// their positions, turns, kinds and footprints. Reading never throws and never
// stops at the first bad element: a file that cannot be read, is not a level,
// or is larger or nested deeper than the game reads gives an empty plan; an
// object of unknown type, or whose position is not three finite numbers
// within reach, is left out. Each problem is appended to `problems` as one
// line.

#include "plan_item.h"

#include <string>
#include <vector>

class TiXmlElement;

class level_plan {
public:
    static level_plan from_file(const std::string& path, std::vector<std::string>& problems);
    static level_plan from_text(const std::string& text, std::vector<std::string>& problems);

    const std::vector<plan_item>& items() const { return contents; }
    bool empty() const { return contents.empty(); }

private:
    void read_objects(const TiXmlElement* objects, std::vector<std::string>& problems);

    std::vector<plan_item> contents;
};
