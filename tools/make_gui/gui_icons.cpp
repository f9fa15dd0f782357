#include "gui_icons.h"

#include "gui_shapes.h"
#include "paint_tools.h"

#include <algorithm>
#include <cmath>

namespace {

// Lambert plus a tight highlight on a sphere point with normal (nx, ny, nz).
float sphere_light(float nx, float ny, float nz, float* highlight)
{
    const float lx = -0.45f, ly = -0.6f, lz = 0.66f;
    const float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
    const float hz = nz + 1.0f;  // half vector towards a viewer on +z
    const float hl = std::hypot(std::hypot(lx, ly), lz + 1.0f);
    const float spec = std::max(0.0f, (nx * lx + ny * ly + hz * (lz + 1.0f) / 2) / hl);
    *highlight = std::pow(std::clamp(spec, 0.0f, 1.0f), 40.0f);
    return diffuse;
}

}

colour ball_icon(float x, float y, float w, float h)
{
    const float cx = w / 2, cy = h / 2 - 4, r = w * 0.4f;
    const float shadow = 1 - smooth_step(0.6f, 1.1f, std::hypot((x - cx - 3) / (r * 0.8f), (y - (cy + r + 2)) / 5.0f));
    colour c{0.0f, 0.0f, 0.02f, 0.4f * shadow};
    const float d = circle(x, y, cx, cy, r);
    if (d < 1.0f) {
        const float nx = std::clamp((x - cx) / r, -1.0f, 1.0f), ny = std::clamp((y - cy) / r, -1.0f, 1.0f);
        const float nz = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
        // A tilted band round the ball, so it reads as rolling.
        const float band = std::fabs(nx * 0.35f + ny * 0.94f - 0.1f * nz);
        const colour base = band < 0.2f ? colour{1.0f, 0.72f, 0.22f} : colour{0.18f, 0.42f, 0.92f};
        float spec = 0;
        const float light = 0.25f + 0.85f * sphere_light(nx, ny, nz, &spec);
        colour ball = scaled(base, light);
        ball = mix(ball, {1, 1, 1, 1}, std::min(1.0f, spec * 1.2f));
        ball.a = coverage(d);
        c = over(ball, c);
    }
    return c;
}

colour coin_icon(float x, float y, float w, float h)
{
    const float cx = w / 2, cy = h / 2, r = w * 0.42f;
    const float d = circle(x, y, cx, cy, r);
    const float rim = smooth_step(-3.5f, -2.5f, d);
    const float ring = 1 - smooth_step(0.5f, 1.3f, std::fabs(circle(x, y, cx, cy, r * 0.62f)));
    colour c = mix({1.0f, 0.84f, 0.3f}, {0.85f, 0.55f, 0.1f}, (y - (cy - r)) / (2 * r));
    c = mix(c, {0.62f, 0.36f, 0.04f}, std::max(rim * 0.9f, ring * 0.6f));
    c = mix(c, {1, 1, 0.9f}, 0.7f * (1 - smooth_step(0.0f, 3.0f, circle(x, y, cx - r * 0.4f, cy - r * 0.4f, 1.5f))));
    c.a = coverage(d);
    return c;
}

colour clock_icon(float x, float y, float w, float h)
{
    const float cx = w / 2, cy = h / 2, r = w * 0.4f;
    const float d = circle(x, y, cx, cy, r);
    colour c{0.98f, 0.95f, 0.86f, 1.0f};
    c = mix(c, {1.0f, 0.72f, 0.25f}, smooth_step(-3.2f, -2.2f, d));
    const float hands = std::min(segment_distance(x, y, cx, cy, cx, cy - r * 0.68f) - 1.1f,
                                 segment_distance(x, y, cx, cy, cx + r * 0.5f, cy + r * 0.1f) - 1.3f);
    c = mix(c, {0.08f, 0.11f, 0.22f}, coverage(hands));
    c.a = coverage(d);
    return c;
}

colour flag_icon(float x, float y, float w, float h)
{
    // Drawn on a 32-pixel grid and scaled, so any square size works.
    const float k = w / 32.0f;
    const float pole = segment_distance(x, y, 8 * k, 4 * k, 8 * k, h - 3 * k) - 1.2f * k;
    colour c = with_alpha({0.9f, 0.9f, 0.92f}, coverage(pole));
    // A chequered cloth that waves a little.
    const float wave = std::sin(x / k * 0.35f) * 1.5f * k;
    const float cloth = rounded_box(x, y - wave, 9 * k, 5 * k, w - 4 * k, 19 * k, 1.0f * k);
    if (cloth < 1.0f) {
        const bool dark = (int(std::floor((x - 9 * k) / (4.5f * k))) + int(std::floor((y - wave - 5 * k) / (4.7f * k)))) % 2 != 0;
        const colour square = dark ? colour{0.08f, 0.1f, 0.18f} : colour{0.98f, 0.97f, 0.94f};
        c = over(with_alpha(square, coverage(cloth)), c);
    }
    return c;
}

colour medal_icon(float x, float y, float w, float h, colour metal)
{
    // Drawn on a 40-pixel grid and scaled, so any square size works.
    const float k = w / 40.0f;
    const float cx = w / 2, cy = 25 * k, r = 13 * k;
    // Two ribbon tails meeting behind the medal.
    const float left = polygon(x, y, {{8 * k, 1 * k}, {16 * k, 1 * k}, {23 * k, 16 * k}, {15 * k, 16 * k}});
    const float right = polygon(x, y, {{24 * k, 1 * k}, {32 * k, 1 * k}, {25 * k, 16 * k}, {17 * k, 16 * k}});
    colour c = with_alpha({0.12f, 0.3f, 0.78f}, coverage(std::min(left, right)));
    if (left < 0.5f && right < 0.5f)
        c = with_alpha({0.84f, 0.14f, 0.16f}, coverage(right));
    const float d = circle(x, y, cx, cy, r);
    if (d < 1.0f) {
        const float nx = (x - cx) / r, ny = (y - cy) / r;
        // Lit from the upper left, a darker rim, and a star standing out of the face.
        float shade = 1.05f - 0.35f * (nx * 0.5f + ny * 0.8f + 0.6f);
        const float rim = smooth_step(-2.6f * k, -1.6f * k, d);
        std::vector<point2> star;
        for (int i = 0; i < 10; ++i) {
            const float a = -1.5708f + i * 0.6283f, radius = (i % 2 ? 3.6f : 8.4f) * k;
            star.push_back({cx + radius * std::cos(a), cy + radius * std::sin(a)});
        }
        const float on_star = coverage(polygon(x, y, star));
        shade = shade * (1 - 0.3f * rim) + 0.22f * on_star * (0.5f - ny * 0.5f);
        colour face = scaled(metal, std::clamp(shade, 0.0f, 1.4f));
        face = mix(face, {1, 1, 1, 1}, 0.55f * (1 - smooth_step(0.0f, 3.5f * k, circle(x, y, cx - r * 0.45f, cy - r * 0.45f, 1.5f * k))));
        face.a = coverage(d);
        c = over(face, c);
    }
    return c;
}

colour pointer_arrow(float x, float y)
{
    const std::vector<point2> arrow{{2, 2}, {2, 25}, {8, 19.5f}, {12.5f, 29}, {17, 27}, {12.6f, 18}, {20, 18}};
    std::vector<point2> shadow = arrow;
    for (auto& p : shadow) {
        p.x += 1.5f;
        p.y += 2.0f;
    }
    const float ds = polygon(x, y, shadow);
    colour c{0.0f, 0.0f, 0.0f, 0.35f * (1 - smooth_step(-1.0f, 2.0f, ds))};
    const float d = polygon(x, y, arrow);
    const float outline = coverage(d - 1.0f);
    const float fill = coverage(d + 0.9f);
    colour tip = mix({0.05f, 0.05f, 0.08f}, {1.0f, 1.0f, 1.0f}, fill);
    tip.a = outline;
    return over(tip, c);
}
