#pragma once

// The bounds every level file keeps, checked before anything is built from
// it, and the same in the game, mapscout and level_checker: a level that
// oversteps one is refused whole, with a reason at the line at fault. They
// keep what a level from anyone can cost in proportion to what it offers.
//
// The largest course a level may be is the benchmarks' generated one of
// 100,000 objects: 5.7 MB, 104,011 tags (elements, comments and the like),
// 247,008 attributes, no coordinate beyond 9,460. The shipped levels hold at most 205
// objects, 3 lights and 14 KB, nest 4 elements deep (Level, Objects, Object,
// Waypoint), and their longest value is 23 bytes, their longest text 238.
//
// check_text measures the raw text, before TinyXML parses it; check_level
// walks a parsed <Level> whose text passed check_text. Both list at most
// max_refusals reasons, in line order.

#include "app/load_xml.h"

#include <cstddef>
#include <unordered_set>
#include <string>
#include <utility>
#include <vector>

class TiXmlElement;

struct level_refusal {
    int line;
    std::string reason;
};

class level_limits {
public:
    // Room for the largest course written by hand, with comments and long ids.
    static constexpr unsigned long long max_bytes = 16ull << 20;
    // Depth: twice what the format uses. Tags: the largest course and its
    // waypoints with room to spare, each a node of TinyXML's tree.
    // Attributes: each of 100,000 objects with ten (a door has at most
    // that many); 32 on one element keep TinyXML's comparison of each new
    // attribute with the others cheap.
    static constexpr xml_bounds text_bounds{8, 250000, 32, 1000000};
    static constexpr int max_objects = 100000;
    // The fixed-function renderer lights a pass with at most eight, and with
    // stencil shadows every light costs each lit object another pass.
    static constexpr int max_lights = 8;
    // Names, ids and file names; ten times the longest a shipped level has.
    static constexpr std::size_t max_value_bytes = 256;
    // An info box's banner or the selection's description: pages, not books.
    static constexpr std::size_t max_text_bytes = 4096;
    // Within this of the origin a float still places a point to 1/128 of a
    // unit (the ball's radius is 4); the bench course reaches 9,460.
    static constexpr double world_bound = 100000.0;
    // A block's scale along each axis: a tenth to twenty times its mesh.
    static constexpr float min_block_scale = 0.1f;
    static constexpr float max_block_scale = 20.0f;
    static constexpr std::size_t max_refusals = 20;

    static std::vector<level_refusal> check_text(const std::string& text);
    static std::vector<level_refusal> check_level(const TiXmlElement* level);
    // The refusal of a file larger than max_bytes, found before it is read.
    static level_refusal too_large();

private:
    level_limits() = default;

    void refuse(int line, std::string reason);
    bool done() const { return refusals.size() >= max_refusals; }
    void check_lengths(const TiXmlElement* level);
    void check_lights(const TiXmlElement* lights);
    void check_objects(const TiXmlElement* objects);
    void check_object(const TiXmlElement* object);
    void check_position(const TiXmlElement* element, const char* name);
    void check_file_name(const TiXmlElement* element, const char* name);
    void check_targets();
    std::string next_generated_id();

    std::vector<level_refusal> refusals;
    // Ids as the game registers them: given, fixed (start and target), or
    // generated in the game's order ("obj_" and a counter that lights start).
    std::unordered_set<std::string> ids;
    unsigned generated = 0;
    // Teleporters' target_id values, with the line of each.
    std::vector<std::pair<std::string, int>> targets;
};
