#include "paint_tools.h"

#include <algorithm>
#include <cmath>

float smooth_step(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

float hash01(unsigned n)
{
    n = (n ^ 61u) ^ (n >> 16);
    n *= 9u;
    n ^= n >> 4;
    n *= 0x27d4eb2du;
    n ^= n >> 15;
    return float(n & 0xffffffu) / float(0x1000000);
}

float value_noise(float u, float v, int cells, unsigned seed)
{
    const float x = u * cells, y = v * cells;
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const float fx = smooth_step(0, 1, x - x0), fy = smooth_step(0, 1, y - y0);
    auto at = [&](int i, int j) {
        // Wrapping the lattice makes the texture tile without a seam.
        i = ((i % cells) + cells) % cells;
        j = ((j % cells) + cells) % cells;
        return hash01(unsigned(i) * 73856093u ^ unsigned(j) * 19349663u ^ seed * 83492791u);
    };
    const float top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
    const float bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
    return top + (bottom - top) * fy;
}

float soft_noise(float u, float v, int cells, unsigned seed)
{
    return (value_noise(u, v, cells, seed) * 4 + value_noise(u, v, cells * 2, seed + 1) * 2 +
            value_noise(u, v, cells * 4, seed + 2)) / 7.0f;
}

float edge_distance(float u, float v)
{
    return std::min(std::min(u, 1 - u), std::min(v, 1 - v));
}

float bevel_light(float u, float v, float width)
{
    if (edge_distance(u, v) >= width)
        return 1.0f;
    // Whichever rim is nearest decides the slope the light sees.
    const float d[4] = {u, v, 1 - u, 1 - v};
    const float light[4] = {1.35f, 1.45f, 0.7f, 0.6f};
    const int nearest = int(std::min_element(d, d + 4) - d);
    return light[nearest];
}

float segment_distance(float pu, float pv, float au, float av, float bu, float bv)
{
    const float du = bu - au, dv = bv - av;
    const float length2 = du * du + dv * dv;
    const float t =
        length2 > 0 ? std::clamp(((pu - au) * du + (pv - av) * dv) / length2, 0.0f, 1.0f) : 0.0f;
    const float eu = pu - (au + du * t), ev = pv - (av + dv * t);
    return std::sqrt(eu * eu + ev * ev);
}

colour stone_tile(float u, float v, const colour& base, unsigned seed)
{
    const float n = soft_noise(u, v, 8, seed);
    colour c = scaled(base, 0.85f + 0.3f * n);
    c = scaled(c, bevel_light(u, v, 0.045f));
    if (edge_distance(u, v) < 0.012f)
        c = scaled(c, 0.45f);
    return c;
}
