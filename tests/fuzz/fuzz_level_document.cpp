// Any bytes as a level file, read and checked as every program reads one
// before it builds anything, with no scene: tens of thousands of inputs a
// second. Whatever the outcome, each reason points at a line of the file,
// and a level that passes keeps the limits, counted here again.

#include "level/level_document.h"

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

int children(const TiXmlElement* level, const char* list, const char* name)
{
    int count = 0;
    const TiXmlElement* parent = level->FirstChildElement(list);
    for (const TiXmlElement* e = parent ? parent->FirstChildElement(name) : nullptr; e; e = e->NextSiblingElement(name))
        ++count;
    return count;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const level_document read = level_document::read_text(text);
    // Every line ends in a LF, a CR or both.
    long last_line = 1;
    for (const char end : {'\n', '\r'})
        for (size_t at = text.find(end); at != std::string::npos; at = text.find(end, at + 1))
            ++last_line;
    for (const level_refusal& refusal : read.get_refusals())
        if (refusal.line < 1 || refusal.line > last_line || refusal.reason.empty())
            std::abort();
    const xml_problem problem = read.problem();
    if (problem.line < 1 || problem.line > last_line ||
        problem.reason.empty() != (read.get_outcome() == level_document::outcome::loaded))
        std::abort();
    const bool refused = read.get_outcome() == level_document::outcome::refused;
    if (refused == read.get_refusals().empty() || read.get_refusals().size() > level_limits::max_refusals)
        std::abort();
    if (read.get_outcome() != level_document::outcome::loaded)
        return 0;
    const TiXmlElement* level = read.get_level();
    if (!level || xml_nesting_depth(text) > level_limits::text_bounds.depth ||
        children(level, "Objects", "Object") > level_limits::max_objects ||
        children(level, "Lights", "Light") > level_limits::max_lights)
        std::abort();
    return 0;
}
