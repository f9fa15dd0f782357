#include "rgba_image.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint8_t to_byte(float value)
{
    return std::uint8_t(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}

colour mix(const colour& from, const colour& to, float t)
{
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

colour scaled(const colour& c, float factor)
{
    return {c.r * factor, c.g * factor, c.b * factor, c.a};
}

rgba_image::rgba_image(int width, int height)
    : w(width), h(height), pixels(std::size_t(width) * height * 4)
{
}

void rgba_image::paint(const std::function<colour(float u, float v)>& at)
{
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const colour c = at((x + 0.5f) / w, (y + 0.5f) / h);
            std::uint8_t* p = &pixels[(std::size_t(y) * w + x) * 4];
            p[0] = to_byte(c.r);
            p[1] = to_byte(c.g);
            p[2] = to_byte(c.b);
            p[3] = to_byte(c.a);
        }
    }
}
