#include "tile_painter.h"

#include "paint_tools.h"

#include <algorithm>
#include <cmath>

namespace {

const colour stone{0.64f, 0.69f, 0.79f};
const colour seam{0.34f, 0.38f, 0.49f};
const colour falling{0.80f, 0.50f, 0.24f};
const colour crack{0.30f, 0.16f, 0.07f};
const colour speed_dark{0.16f, 0.17f, 0.23f};
const colour chevron_yellow{1.0f, 0.80f, 0.12f};
const colour crate{0.62f, 0.42f, 0.22f};
const colour crate_light{0.74f, 0.54f, 0.30f};
const colour platform_teal{0.30f, 0.62f, 0.68f};
const colour grass{0.20f, 0.29f, 0.22f};
const colour path_amber{0.96f, 0.62f, 0.18f};

// Maps picture positions onto a tile's own square: u along its X, v along
// its Z, both 0 to 1, and knows how many pixels one side spans.
struct tile_frame {
    flat_point origin, along_u, along_v;
    float determinant = 0;
    float side_pixels = 1;

    explicit tile_frame(const std::vector<flat_point>& c)
        : origin(c[0]),
          along_u{c[1].x - c[0].x, c[1].y - c[0].y},
          along_v{c[3].x - c[0].x, c[3].y - c[0].y},
          determinant(along_u.x * along_v.y - along_u.y * along_v.x),
          side_pixels(std::sqrt(std::fabs(determinant)))
    {
    }

    flat_point local(float x, float y) const
    {
        if (std::fabs(determinant) < 1e-6f)
            return {0.5f, 0.5f};
        const float dx = x - origin.x, dy = y - origin.y;
        return {(dx * along_v.y - dy * along_v.x) / determinant, (along_u.x * dy - along_u.y * dx) / determinant};
    }
};

// Pixels from (u, v) to the tile's nearest edge.
float rim(flat_point p, float side)
{
    return std::min(std::min(p.x, 1 - p.x), std::min(p.y, 1 - p.y)) * side;
}

// Joins tiles with a dark seam and lights the rim that faces the top left.
colour bevelled(colour c, flat_point p, float side)
{
    const float e = rim(p, side);
    if (e < 1.6f)
        c = scaled(c, p.x + p.y < 1 ? 1.12f : 0.86f);
    return mix(seam, c, smooth_step(0.2f, 1.1f, e));
}

colour stone_surface(flat_point p, float side, unsigned seed)
{
    colour c = scaled(stone, seed % 2 ? 0.94f : 1.0f);
    c = scaled(c, 0.95f + 0.08f * value_noise(p.x, p.y, 4, seed));
    return bevelled(c, p, side);
}

colour cracked_surface(flat_point p, float side, unsigned seed)
{
    colour c = scaled(falling, 0.88f + 0.2f * value_noise(p.x, p.y, 3, seed));
    // A star of cracks from a point near the middle, different on every tile.
    const float cx = 0.4f + 0.2f * hash01(seed), cy = 0.4f + 0.2f * hash01(seed + 1);
    float d = 1e9f;
    for (int i = 0; i < 4; ++i) {
        const float angle = (i + hash01(seed + 2 + i) * 0.6f) * 1.5708f;
        const float ex = cx + std::cos(angle) * 0.55f, ey = cy + std::sin(angle) * 0.55f;
        d = std::min(d, segment_distance(p.x, p.y, cx, cy, ex, ey));
    }
    c = mix(c, crack, std::clamp(1.0f - d * side / 0.6f, 0.0f, 1.0f) * 0.85f);
    return bevelled(c, p, side);
}

// Two chevrons pointing along the tile's -Z, the way it kicks the ball.
colour speed_surface(flat_point p, float side)
{
    colour c = speed_dark;
    const float u = p.x - 0.5f, v = p.y - 0.5f;
    float d = 1e9f;
    for (float tip : {-0.26f, 0.06f})
        d = std::min(d, std::min(segment_distance(u, v, -0.3f, tip + 0.22f, 0, tip),
                                 segment_distance(u, v, 0.3f, tip + 0.22f, 0, tip)));
    const float stroke = (d - 0.075f) * side;
    c = mix(c, chevron_yellow, std::clamp(0.5f - stroke, 0.0f, 1.0f));
    return bevelled(c, p, side);
}

colour crate_surface(flat_point p, float side)
{
    const float e = rim(p, 1.0f);
    colour c = crate;
    const float plank = std::fabs(std::fmod(p.y * 4, 1.0f) - 0.5f) * side / 4;
    c = scaled(c, plank > side / 8 - 0.6f ? 0.8f : 1.0f);
    const float brace = std::fabs(p.x + p.y - 1) / 1.4142f * side - 0.08f * side;
    if (brace < 0.5f || e < 0.15f)
        c = crate_light;
    if (e < 0.15f && e * side > 0.15f * side - 0.8f)
        c = scaled(crate, 0.7f);
    return bevelled(c, p, side);
}

colour platform_surface(flat_point p, float side)
{
    const float e = rim(p, 1.0f);
    colour c = e < 0.12f ? scaled(platform_teal, 0.78f) : platform_teal;
    // A grating across the middle reads as metal rather than stone.
    if (e >= 0.12f && std::fabs(std::fmod((p.x + p.y) * 6, 1.0f) - 0.5f) * side / 6 < 0.45f)
        c = scaled(c, 0.86f);
    for (float ru : {0.07f, 0.93f})
        for (float rv : {0.07f, 0.93f})
            if (std::hypot(p.x - ru, p.y - rv) * side < std::max(0.8f, side * 0.035f))
                c = {0.85f, 0.93f, 0.95f};
    return bevelled(c, p, side);
}

colour ground_surface(flat_point p)
{
    // The game's floor repeats every 25 units: a dim checker of 40 cells.
    const bool dark = (int(std::floor(p.x * 40)) + int(std::floor(p.y * 40))) % 2 != 0;
    colour c = scaled(grass, dark ? 0.86f : 1.0f);
    return scaled(c, 0.92f + 0.16f * value_noise(p.x, p.y, 64, 22));
}

unsigned tile_seed(const world_point& at)
{
    return unsigned(int(std::floor(at.x / 10)) + int(std::floor(at.z / 10)) * 7919);
}

std::vector<world_point> stops(const plan_item& item)
{
    return item.kind == item_kind::platform ? item.waypoints : std::vector<world_point>{item.pos};
}

std::vector<flat_point> shifted(std::vector<flat_point> corners, float dx, float dy)
{
    for (flat_point& p : corners) {
        p.x += dx;
        p.y += dy;
    }
    return corners;
}

}

bool is_tile(const plan_item& item)
{
    return item.kind == item_kind::block || item.kind == item_kind::platform || item.kind == item_kind::ground;
}

tile_painter::tile_painter(preview_canvas& canvas, const course_layout& layout) : canvas(canvas), layout(layout)
{
}

void tile_painter::shadow(const plan_item& item, float lift)
{
    if (item.kind == item_kind::ground)
        return;
    for (const world_point& at : stops(item)) {
        const auto corners = shifted(layout.footprint(item, at, item.width, item.depth), lift * 0.6f, lift);
        canvas.fill(pixel_box::around(corners, 3), [&](float x, float y) { return polygon_distance(x, y, corners); },
                    colour{0.0f, 0.01f, 0.04f, 0.42f}, 3.0f);
    }
}

void tile_painter::side(const plan_item& item, float brightness)
{
    if (item.kind == item_kind::ground)
        return;
    // The 2-unit thickness seen from slightly in front of the course.
    const float drop = std::clamp(2.2f * layout.scale(), 1.5f, 6.0f);
    const colour face = scaled(item.kind == item_kind::platform ? platform_teal
                               : item.style == 1                ? falling
                               : item.style == 3                ? crate
                                                                : stone,
                               0.5f * brightness);
    for (const world_point& at : stops(item)) {
        const auto corners = shifted(layout.footprint(item, at, item.width, item.depth), 0, drop);
        canvas.fill(pixel_box::around(corners, 1), [&](float x, float y) { return polygon_distance(x, y, corners); },
                    face);
    }
}

void tile_painter::top(const plan_item& item, float brightness)
{
    for (const world_point& at : stops(item))
        tile(item, at, brightness);
}

void tile_painter::tile(const plan_item& item, const world_point& at, float brightness)
{
    const auto corners = layout.footprint(item, at, item.width, item.depth);
    const tile_frame frame(corners);
    const unsigned seed = tile_seed(at);
    canvas.fill(
        pixel_box::around(corners, 1), [&](float x, float y) { return polygon_distance(x, y, corners); },
        [&](float x, float y) {
            const flat_point p = frame.local(x, y);
            const float side = frame.side_pixels;
            colour c;
            if (item.kind == item_kind::ground)
                c = ground_surface(p);
            else if (item.kind == item_kind::platform)
                c = platform_surface(p, side);
            else if (item.style == 1)
                c = cracked_surface(p, side, seed);
            else if (item.style == 2)
                c = speed_surface(p, side);
            else if (item.style == 3)
                c = crate_surface(p, side);
            else
                c = stone_surface(p, side, seed);
            return scaled(c, brightness);
        });
}

void tile_painter::path(const plan_item& item)
{
    if (item.kind != item_kind::platform)
        return;
    const float spacing = 5.0f, radius = 1.3f;
    for (std::size_t i = 1; i < item.waypoints.size(); ++i) {
        const flat_point a = layout.to_pixel(item.waypoints[i - 1]), b = layout.to_pixel(item.waypoints[i]);
        const float length = std::hypot(b.x - a.x, b.y - a.y);
        const int dots = std::min(2000, int(length / spacing));
        for (int k = 0; k <= dots; ++k) {
            const float t = dots ? float(k) / dots : 0.0f;
            const flat_point p{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
            canvas.fill(pixel_box::around({p}, radius + 2),
                        [&](float x, float y) { return circle_distance(x, y, p.x, p.y, radius); }, path_amber);
        }
    }
}
