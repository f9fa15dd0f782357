#include "gui_shapes.h"

#include "paint_tools.h"

#include <algorithm>
#include <cmath>

float rounded_box(float x, float y, float x0, float y0, float x1, float y1, float r)
{
    const float qx = std::fabs(x - (x0 + x1) / 2) - ((x1 - x0) / 2 - r);
    const float qy = std::fabs(y - (y0 + y1) / 2) - ((y1 - y0) / 2 - r);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

float circle(float x, float y, float cx, float cy, float r)
{
    return std::hypot(x - cx, y - cy) - r;
}

float coverage(float d)
{
    return std::clamp(0.5f - d, 0.0f, 1.0f);
}

colour over(const colour& top, const colour& bottom)
{
    const float a = top.a + bottom.a * (1 - top.a);
    if (a <= 0.0f)
        return {top.r, top.g, top.b, 0.0f};
    auto channel = [&](float t, float b) { return (t * top.a + b * bottom.a * (1 - top.a)) / a; };
    return {channel(top.r, bottom.r), channel(top.g, bottom.g), channel(top.b, bottom.b), a};
}

colour with_alpha(colour c, float a)
{
    c.a = a;
    return c;
}

float polygon(float x, float y, const std::vector<point2>& corners)
{
    float nearest = 1e9f;
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const point2 a = corners[j], b = corners[i];
        nearest = std::min(nearest, segment_distance(x, y, a.x, a.y, b.x, b.y));
        if ((b.y > y) != (a.y > y) && x < (a.x - b.x) * (y - b.y) / (a.y - b.y) + b.x)
            inside = !inside;
    }
    return inside ? -nearest : nearest;
}

float triangle(float x, float y, float ax, float ay, float bx, float by, float cx, float cy)
{
    return polygon(x, y, {{ax, ay}, {bx, by}, {cx, cy}});
}
