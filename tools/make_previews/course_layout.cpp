#include "course_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A course of a block or two would otherwise fill the whole picture.
const float largest_scale = 4.0f;
// Keeps a single point from dividing by zero.
const float smallest_extent = 20.0f;

// Level-unit corners of a width x depth rectangle at `at`, turned by the
// item's rotation and seen from above. A rotation that stands the rectangle
// on its edge would leave a sliver, so it falls back to the heading alone.
std::vector<flat_point> turned_rectangle(const plan_item& item, const world_point& at, float width, float depth)
{
    const auto& m = item.turn;
    float ax = m[0][0] * width / 2, az = m[2][0] * width / 2;
    float bx = m[0][2] * depth / 2, bz = m[2][2] * depth / 2;
    const float area = std::fabs(ax * bz - az * bx);
    if (area < 0.2f * width * depth / 4) {
        const float heading = std::atan2(m[0][2], m[2][2]);
        ax = std::cos(heading) * width / 2;
        az = -std::sin(heading) * width / 2;
        bx = std::sin(heading) * depth / 2;
        bz = std::cos(heading) * depth / 2;
    }
    return {{at.x - ax - bx, at.z - az - bz},
            {at.x + ax - bx, at.z + az - bz},
            {at.x + ax + bx, at.z + az + bz},
            {at.x - ax + bx, at.z - az + bz}};
}

// What the fit keeps inside the picture: every footprint (one per platform
// stop) and where teleporters send the ball.
std::vector<flat_point> outline(const plan_item& item)
{
    std::vector<flat_point> corners;
    const std::vector<world_point> stops = item.kind == item_kind::platform ? item.waypoints : std::vector{item.pos};
    for (const world_point& stop : stops)
        for (const flat_point& p : turned_rectangle(item, stop, item.width, item.depth))
            corners.push_back(p);
    if (item.has_link)
        corners.push_back({item.link.x, item.link.z});
    return corners;
}

}

course_layout::course_layout(const level_plan& plan, int width, int height, float margin)
    : picture_centre_x(width / 2.0f), picture_centre_y(height / 2.0f)
{
    float min_x = std::numeric_limits<float>::max(), max_x = -min_x;
    float min_z = min_x, max_z = -min_x;
    for (const plan_item& item : plan.items())
        if (item.kind != item_kind::ground)
            for (const flat_point& p : outline(item)) {
                min_x = std::min(min_x, p.x);
                max_x = std::max(max_x, p.x);
                min_z = std::min(min_z, p.y);
                max_z = std::max(max_z, p.y);
            }
    if (min_x > max_x) {
        pixels_per_unit = largest_scale;
        return;
    }
    centre_x = (min_x + max_x) / 2;
    centre_z = (min_z + max_z) / 2;
    const float room_x = std::max(1.0f, width - 2 * margin), room_y = std::max(1.0f, height - 2 * margin);
    const float extent_x = std::max(max_x - min_x, smallest_extent);
    const float extent_z = std::max(max_z - min_z, smallest_extent);
    const float upright = std::min({room_x / extent_x, room_y / extent_z, largest_scale});
    const float sideways = std::min({room_x / extent_z, room_y / extent_x, largest_scale});
    quarter_turn = sideways > upright;
    pixels_per_unit = std::max(upright, sideways);
}

flat_point course_layout::to_pixel(float x, float z) const
{
    const float right = (x - centre_x) * pixels_per_unit, down = (z - centre_z) * pixels_per_unit;
    if (quarter_turn)
        return {picture_centre_x - down, picture_centre_y + right};
    return {picture_centre_x + right, picture_centre_y + down};
}

std::vector<flat_point> course_layout::footprint(const plan_item& item, const world_point& at, float width,
                                                 float depth) const
{
    std::vector<flat_point> corners = turned_rectangle(item, at, width, depth);
    for (flat_point& p : corners)
        p = to_pixel(p.x, p.y);
    return corners;
}
