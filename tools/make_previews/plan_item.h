#pragma once

// One thing a preview draws, read from a level file: what it is, where it
// stands, how it is turned, and the footprint it covers seen from above.
// Plain data; level_plan fills it, course_layout and preview_painter read it.

#include <vector>

struct world_point {
    float x = 0, y = 0, z = 0;
};

enum class item_kind { block, ground, platform, door, switch_panel, teleporter, coin, start, checkpoint, target, info };

struct plan_item {
    item_kind kind = item_kind::block;
    world_point pos;
    // Rotation from the `rot` attribute: about X, then the turned Y, then the turned Z.
    float turn[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    // block_type for blocks, the colour index (0 red, 1 blue, 2 green, 3 white)
    // for doors and switches, score_type for coins.
    int style = 0;
    // An open door or a pressed switch.
    bool active = false;
    // Footprint along the item's own X and Z, in level units.
    float width = 10, depth = 10;
    // Platform stops, in travel order.
    std::vector<world_point> waypoints;
    // Where a teleporter sends the ball, when the file says.
    bool has_link = false;
    world_point link;
};
