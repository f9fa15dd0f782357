#include "gui_shapes.h"

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
