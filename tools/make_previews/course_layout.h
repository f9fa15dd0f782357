#pragma once

// Where the course lands in the picture: the bounding box of every footprint
// (the ground floor excepted, it is far larger than any course), fitted into
// the picture with a margin and the aspect ratio kept. Seen from above, level
// -z runs up the picture and x to the right; a course that comes out larger
// turned a quarter clockwise (-z to the right, x down) is drawn turned, so a
// long course fills a wide picture. A layout of nothing centres the origin.

#include "level_plan.h"

#include <vector>

struct flat_point {
    float x = 0, y = 0;
};

class course_layout {
public:
    course_layout(const level_plan& plan, int width, int height, float margin);

    // Picture position (pixels, y down) of a level position.
    flat_point to_pixel(float x, float z) const;
    flat_point to_pixel(const world_point& p) const { return to_pixel(p.x, p.z); }
    // Pixels per level unit.
    float scale() const { return pixels_per_unit; }

    // The footprint of an item centred at `at`, width by depth along its own
    // X and Z, turned as the item is: four picture corners, starting at its
    // -X -Z corner and going round through +X -Z.
    std::vector<flat_point> footprint(const plan_item& item, const world_point& at, float width, float depth) const;

private:
    float pixels_per_unit = 1;
    bool quarter_turn = false;
    float centre_x = 0, centre_z = 0;
    float picture_centre_x = 0, picture_centre_y = 0;
};
