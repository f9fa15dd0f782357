#include "level_preview.h"

#include "gui_shapes.h"
#include "paint_tools.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const std::vector<point2> course{{40, 196}, {118, 196}, {118, 128}, {206, 128}, {206, 58}, {282, 58}};
const std::vector<point2> coins{{80, 196}, {118, 160}, {150, 128}, {180, 128}, {206, 92}, {244, 58}};
const float half_width = 17.0f;

float course_distance(float x, float y)
{
    float d = 1e9f;
    for (std::size_t i = 1; i < course.size(); ++i)
        d = std::min(d, segment_distance(x, y, course[i - 1].x, course[i - 1].y, course[i].x, course[i].y));
    return d - half_width;
}

colour backdrop(float x, float y)
{
    colour c = mix({0.10f, 0.16f, 0.30f}, {0.03f, 0.05f, 0.11f}, y / 240.0f);
    // Faint ground far below, so the course reads as floating.
    const float grid = std::min(std::fabs(std::fmod(x + 8, 32.0f) - 16), std::fabs(std::fmod(y + 8, 32.0f) - 16));
    c = mix(c, {0.2f, 0.3f, 0.5f}, 0.12f * (1 - smooth_step(0.0f, 1.0f, grid)));
    const float vignette = smooth_step(0.0f, 60.0f, edge_distance(x / 320.0f, y / 240.0f) * 320.0f);
    return scaled(c, 0.55f + 0.45f * vignette);
}

colour tiles(float x, float y)
{
    const int tx = int(std::floor(x / 20)), ty = int(std::floor(y / 20));
    colour top = (tx + ty) % 2 ? colour{0.74f, 0.78f, 0.86f} : colour{0.66f, 0.71f, 0.80f};
    const float gx = std::fabs(std::fmod(x, 20.0f)), gy = std::fabs(std::fmod(y, 20.0f));
    const float seam = std::min(std::min(gx, 20 - gx), std::min(gy, 20 - gy));
    return mix({0.42f, 0.46f, 0.56f}, top, smooth_step(0.4f, 1.4f, seam));
}

colour blob(float d, colour c)
{
    c.a = coverage(d);
    return c;
}

}

rgba_image paint_default_preview()
{
    rgba_image image(320, 240);
    image.paint([](float u, float v) {
        const float x = u * 320, y = v * 240;
        colour c = backdrop(x, y);
        const float shadow = course_distance(x - 10, y - 14);
        c = over({0, 0, 0.02f, 0.45f * (1 - smooth_step(-4.0f, 4.0f, shadow))}, c);
        c = over(blob(course_distance(x, y - 5), {0.30f, 0.33f, 0.43f}), c);  // block sides
        const float top = course_distance(x, y);
        if (top < 1.0f) {
            colour floor = tiles(x, y);
            floor = scaled(floor, 1.0f - 0.25f * smooth_step(-5.0f, 0.0f, top));
            c = over(blob(top, floor), c);
        }
        // Start pad, coins, the ball and the goal flag.
        c = over(blob(circle(x, y, 40, 196, 12), {0.98f, 0.98f, 0.95f}), c);
        c = over(blob(circle(x, y, 40, 196, 9.5f), {0.25f, 0.75f, 0.35f}), c);
        for (const auto& p : coins) {
            c = over(blob(circle(x, y, p.x + 1.5f, p.y + 2.5f, 5), {0, 0, 0, 1}), scaled(c, 1.0f));
            c = over(blob(circle(x, y, p.x, p.y, 5), {1.0f, 0.78f, 0.22f}), c);
            c = over(blob(circle(x, y, p.x - 1.5f, p.y - 1.5f, 1.6f), {1.0f, 0.97f, 0.8f}), c);
        }
        c = over(blob(circle(x, y, 64 + 2, 196 + 3, 7), {0, 0, 0.05f, 0.6f}), c);
        const float ball = circle(x, y, 64, 196, 7);
        const float shade = std::clamp(1.1f - std::hypot(x - 61.5f, y - 193.5f) / 9.0f, 0.3f, 1.0f);
        c = over(blob(ball, scaled({0.22f, 0.48f, 0.98f}, 0.5f + 0.6f * shade)), c);
        c = over(blob(circle(x, y, 61.5f, 193.5f, 1.8f), {1, 1, 1}), c);
        c = over(blob(segment_distance(x, y, 282, 58, 282, 24) - 1.3f, {0.92f, 0.92f, 0.95f}), c);
        const float cloth = rounded_box(x, y, 283, 24, 305, 38, 1.0f);
        const bool dark = (int(std::floor((x - 283) / 5.5f)) + int(std::floor((y - 24) / 4.7f))) % 2 != 0;
        c = over(blob(cloth, dark ? colour{0.08f, 0.1f, 0.18f} : colour{0.98f, 0.97f, 0.94f}), c);
        c.a = 1.0f;
        return c;
    });
    return image;
}
