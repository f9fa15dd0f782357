#include "door_emblems.h"

#include "paint_tools.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const float pi = 3.14159265f;

struct point {
    float u, v;
};

// Corners round the texture's middle from first_angle on (v runs down, so
// -pi/2 is straight up); the radii alternate, which makes a star when they
// differ.
std::vector<point> ring(int corners, float radius, float other_radius, float first_angle)
{
    std::vector<point> outline;
    for (int i = 0; i < corners; ++i) {
        const float angle = first_angle + 2 * pi * i / corners;
        const float r = i % 2 ? other_radius : radius;
        outline.push_back({0.5f + r * std::cos(angle), 0.5f + r * std::sin(angle)});
    }
    return outline;
}

// Sizes chosen for about the same filled area, so no shape looks weaker.
std::vector<point> outline_of(emblem_shape shape)
{
    const float up = -pi / 2;
    switch (shape) {
    case emblem_shape::circle:
        return ring(64, 0.19f, 0.19f, up);
    case emblem_shape::square:
        return ring(4, 0.25f, 0.25f, pi / 4);
    case emblem_shape::triangle:
        return ring(3, 0.27f, 0.27f, up);
    case emblem_shape::star:
        return ring(10, 0.27f, 0.13f, up);
    }
    return {};
}

bool inside(const std::vector<point>& outline, float u, float v)
{
    bool in = false;
    for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
        const point& a = outline[i];
        const point& b = outline[j];
        if ((a.v > v) != (b.v > v) && u < a.u + (v - a.v) * (b.u - a.u) / (b.v - a.v))
            in = !in;
    }
    return in;
}

}

float emblem_distance(emblem_shape shape, float u, float v)
{
    const std::vector<point> outline = outline_of(shape);
    float d = 1;
    for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++)
        d = std::min(d, segment_distance(u, v, outline[i].u, outline[i].v, outline[j].u, outline[j].v));
    return inside(outline, u, v) ? -d : d;
}
