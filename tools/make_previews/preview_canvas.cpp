#include "preview_canvas.h"

#include "paint_tools.h"

#include <algorithm>
#include <cmath>

pixel_box pixel_box::around(const std::vector<flat_point>& points, float pad)
{
    pixel_box box{1e30f, 1e30f, -1e30f, -1e30f};
    for (const flat_point& p : points) {
        box.x0 = std::min(box.x0, p.x - pad);
        box.y0 = std::min(box.y0, p.y - pad);
        box.x1 = std::max(box.x1, p.x + pad);
        box.y1 = std::max(box.y1, p.y + pad);
    }
    return box;
}

preview_canvas::preview_canvas(int width, int height)
    : w(width), h(height), pixels(std::size_t(width) * height)
{
}

void preview_canvas::paint(const shader& at)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels[std::size_t(y) * w + x] = at(x + 0.5f, y + 0.5f);
}

void preview_canvas::fill(const pixel_box& box, const distance_field& distance, const shader& shade, float softness)
{
    // Clamped in float first: a box from far-away level coordinates may not fit an int.
    const int x0 = int(std::clamp(std::floor(box.x0), 0.0f, float(w)));
    const int x1 = int(std::clamp(std::ceil(box.x1), 0.0f, float(w)));
    const int y0 = int(std::clamp(std::floor(box.y0), 0.0f, float(h)));
    const int y1 = int(std::clamp(std::ceil(box.y1), 0.0f, float(h)));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float cover = std::clamp(0.5f - distance(px, py) / softness, 0.0f, 1.0f);
            if (cover <= 0.0f)
                continue;
            const colour top = shade(px, py);
            colour& c = pixels[std::size_t(y) * w + x];
            c = mix(c, {top.r, top.g, top.b, 1.0f}, cover * top.a);
        }
}

void preview_canvas::fill(const pixel_box& box, const distance_field& distance, const colour& c, float softness)
{
    fill(box, distance, [c](float, float) { return c; }, softness);
}

rgba_image preview_canvas::to_image() const
{
    rgba_image image(w, h);
    image.paint([this](float u, float v) {
        const int x = std::min(w - 1, int(u * w)), y = std::min(h - 1, int(v * h));
        colour c = pixels[std::size_t(y) * w + x];
        c.a = 1.0f;
        return c;
    });
    return image;
}

float circle_distance(float x, float y, float cx, float cy, float r)
{
    return std::hypot(x - cx, y - cy) - r;
}

float polygon_distance(float x, float y, const std::vector<flat_point>& corners)
{
    if (corners.empty())
        return 1e9f;
    float nearest = 1e9f;
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const flat_point a = corners[j], b = corners[i];
        nearest = std::min(nearest, segment_distance(x, y, a.x, a.y, b.x, b.y));
        if ((b.y > y) != (a.y > y) && x < (a.x - b.x) * (y - b.y) / (a.y - b.y) + b.x)
            inside = !inside;
    }
    return inside ? -nearest : nearest;
}
