#include "gui_atlas.h"

#include "gui_icons.h"
#include "gui_shapes.h"
#include "paint_tools.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using region_painter = std::function<colour(float x, float y, float w, float h)>;

const colour amber_top{1.0f, 0.82f, 0.36f};
const colour amber_bottom{0.93f, 0.55f, 0.12f};
const colour amber_rim{0.42f, 0.22f, 0.04f};
const colour navy_top{0.15f, 0.22f, 0.40f};
const colour navy_bottom{0.07f, 0.11f, 0.22f};
const colour clear{0.5f, 0.5f, 0.5f, 0.0f};

struct box_look {
    colour top, bottom, rim;
    float radius;
    float rim_width;
    float gloss;
};

// A rounded box filling (x0, y0)-(x1, y1) with a vertical gradient, a rim and a
// light inner edge along the top, the way light falls on a raised button.
colour raised_box(float x, float y, float x0, float y0, float x1, float y1, const box_look& look)
{
    const float d = rounded_box(x, y, x0, y0, x1, y1, look.radius);
    if (d > 1.0f)
        return with_alpha(look.rim, 0.0f);
    const float t = std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f);
    colour fill = mix(look.top, look.bottom, t);
    fill = mix(fill, {1, 1, 1, fill.a}, look.gloss * smooth_step(0.55f, 0.0f, t));
    const float inner = smooth_step(-look.rim_width - 2.5f, -look.rim_width - 1.0f, d) *
                        smooth_step(-look.rim_width + 0.2f, -look.rim_width - 0.8f, d);
    fill = mix(fill, {1, 1, 1, fill.a}, 0.35f * inner * smooth_step(0.6f, 0.1f, t));
    const float rim = smooth_step(-look.rim_width - 0.5f, -look.rim_width + 0.5f, d);
    colour c = mix(fill, with_alpha(look.rim, fill.a), rim);
    c.a *= coverage(d);
    return c;
}

colour soft_shadow(float x, float y, float x0, float y0, float x1, float y1, float r, float strength)
{
    const float d = rounded_box(x, y, x0, y0, x1, y1, r);
    return {0.0f, 0.0f, 0.02f, strength * (1 - smooth_step(-3.0f, 3.0f, d))};
}

colour button(float x, float y, float w, float h, int state)
{
    const float r = 12;
    const bool pushed = state == 2;
    const float dy = pushed ? 2.0f : 0.0f;
    box_look look{amber_top, amber_bottom, amber_rim, r, 1.6f, 0.25f};
    if (state == 1) {
        look.top = {1.0f, 0.92f, 0.58f};
        look.bottom = {1.0f, 0.66f, 0.22f};
        look.gloss = 0.35f;
    } else if (pushed) {
        look.top = {0.80f, 0.44f, 0.08f};
        look.bottom = {0.96f, 0.64f, 0.22f};
        look.gloss = 0.0f;
    } else if (state == 3) {
        look.top = {0.58f, 0.60f, 0.66f, 0.8f};
        look.bottom = {0.44f, 0.46f, 0.53f, 0.8f};
        look.rim = {0.22f, 0.24f, 0.3f};
        look.gloss = 0.1f;
    }
    colour base = pushed ? colour{0, 0, 0, 0} : soft_shadow(x, y, 4, 5, w - 4, h - 1, r, 0.45f);
    if (state == 1) {
        const float d = rounded_box(x, y, 3, 2 + dy, w - 3, h - 5 + dy, r);
        base = over({1.0f, 0.85f, 0.4f, 0.45f * (1 - smooth_step(0.0f, 3.0f, d))}, base);
    }
    return over(raised_box(x, y, 3, 2 + dy, w - 3, h - 5 + dy, look), base);
}

colour panel(float x, float y, float w, float h)
{
    box_look look{with_alpha(navy_top, 0.94f), with_alpha(navy_bottom, 0.94f), {0.02f, 0.03f, 0.08f}, 22, 2.0f, 0.06f};
    colour c = raised_box(x, y, 2, 2, w - 2, h - 2, look);
    // A thin amber line inside the rim, like gilding on a frame.
    const float d = rounded_box(x, y, 9, 9, w - 9, h - 9, 15);
    const float line = 1 - smooth_step(0.0f, 1.1f, std::fabs(d));
    return over({1.0f, 0.76f, 0.32f, 0.55f * line}, c);
}

// A rounded dark panel with a gold rim, shaded from `top` to `bottom`.
colour rimmed_panel(float x, float y, float w, float h, colour top, colour bottom, float opacity)
{
    const float d = rounded_box(x, y, 1, 1, w - 1, h - 1, 12);
    colour fill = mix(top, bottom, y / h);
    fill.a = opacity;
    const float rim = smooth_step(-2.2f, -1.2f, d);
    colour c = mix(fill, {1.0f, 0.78f, 0.35f, std::max(opacity, 0.85f)}, rim);
    c.a *= coverage(d);
    return c;
}

colour hud(float x, float y, float w, float h)
{
    return rimmed_panel(x, y, w, h, {0.08f, 0.12f, 0.24f}, {0.04f, 0.06f, 0.13f}, 0.72f);
}

// Behind the info box banners and short notices over the game: nearly opaque,
// so light text stays readable over fog, sky and white blocks alike.
colour banner(float x, float y, float w, float h)
{
    return rimmed_panel(x, y, w, h, {0.05f, 0.07f, 0.15f}, {0.02f, 0.03f, 0.08f}, 0.9f);
}

colour list_frame(float x, float y, float w, float h)
{
    const float d = rounded_box(x, y, 1, 1, w - 1, h - 1, 10);
    colour fill{0.04f, 0.06f, 0.13f, 0.9f};
    // Darker under the top rim: the list sits sunk into the panel.
    fill = mix(fill, {0.0f, 0.0f, 0.03f, 0.95f}, smooth_step(10.0f, 1.0f, y) * 0.8f);
    const float rim = smooth_step(-2.0f, -1.0f, d);
    colour c = mix(fill, {0.34f, 0.45f, 0.70f, 1.0f}, rim);
    c.a *= coverage(d);
    return c;
}

colour list_item(float x, float y, float w, float h, int state)
{
    if (state == 0)
        return clear;
    const bool checked = state >= 3;
    const int kind = state % 3;  // 0 plain, 1 under the pointer, 2 pressed
    box_look look;
    if (checked) {
        look = {amber_top, amber_bottom, {0.6f, 0.34f, 0.06f}, 7, 1.0f, 0.2f};
        if (kind == 1)
            look.top = {1.0f, 0.9f, 0.55f};
        if (kind == 2)
            look.bottom = {0.8f, 0.45f, 0.08f};
    } else {
        const float a = kind == 1 ? 0.8f : 0.95f;
        look = {{0.28f, 0.40f, 0.68f, a}, {0.20f, 0.30f, 0.55f, a}, {0.40f, 0.52f, 0.82f}, 7, 1.0f, 0.1f};
    }
    return raised_box(x, y, 2, 1, w - 2, h - 1, look);
}

colour gutter(float x, float y, float w, float h)
{
    const float d = rounded_box(x, y, 2, 0.5f, w - 2, h - 0.5f, 6);
    colour c = mix({0.02f, 0.03f, 0.08f, 0.9f}, {0.22f, 0.30f, 0.48f, 1.0f}, smooth_step(-1.8f, -0.8f, d));
    c.a *= coverage(d);
    return c;
}

box_look thumb_look(int state)
{
    if (state == 1)
        return {{0.62f, 0.72f, 0.95f}, {0.46f, 0.56f, 0.82f}, {0.12f, 0.16f, 0.3f}, 5, 1.0f, 0.2f};
    if (state == 2)
        return {amber_top, amber_bottom, amber_rim, 5, 1.0f, 0.1f};
    return {{0.48f, 0.57f, 0.80f}, {0.34f, 0.42f, 0.64f}, {0.1f, 0.13f, 0.25f}, 5, 1.0f, 0.2f};
}

colour thumb(float x, float y, float w, float h, int state)
{
    return raised_box(x, y, 3, 1, w - 3, h - 1, thumb_look(state));
}

colour arrow(float x, float y, float w, float h, int state, bool up)
{
    const colour ball = raised_box(x, y, 1, 1, w - 1, h - 1, thumb_look(state));
    const float tip = up ? 5.0f : 11.0f, base = up ? 10.5f : 5.5f;
    const float d = triangle(x, y, 8, tip, 4.5f, base, 11.5f, base);
    return over(with_alpha({0.98f, 0.95f, 0.88f}, coverage(d)), ball);
}

colour divider(float x, float y, float w, float h)
{
    const float mid = w / 2, cy = h / 2;
    const float fade = smooth_step(0.0f, 80.0f, x) * smooth_step(w, w - 80.0f, x);
    const float line = (1 - smooth_step(0.4f, 1.4f, std::fabs(y - cy))) * fade;
    const float diamond = coverage(std::fabs(x - mid) + std::fabs(y - cy) - 4.5f);
    return {1.0f, 0.78f, 0.32f, std::max(line * 0.9f, diamond)};
}

struct painted_region {
    atlas_region where;
    region_painter paint;
};

std::vector<painted_region> painted_regions()
{
    using namespace std::placeholders;
    std::vector<painted_region> all;
    const char* button_states[] = {"normal", "highlighted", "pushed", "disabled"};
    for (int s = 0; s < 4; ++s)
        all.push_back({{std::string("button_") + button_states[s], 0, 48 * s, 128, 48},
                       [s](float x, float y, float w, float h) { return button(x, y, w, h, s); }});
    all.push_back({{"panel", 128, 0, 128, 128}, panel});
    all.push_back({{"hud", 256, 0, 64, 64}, hud});
    all.push_back({{"banner", 256, 64, 64, 64}, banner});
    all.push_back({{"list_frame", 320, 0, 64, 64}, list_frame});
    const char* item_states[] = {"normal", "highlighted", "pushed", "normal_checked", "highlighted_checked",
                                 "pushed_checked"};
    for (int s = 0; s < 6; ++s)
        all.push_back({{std::string("item_") + item_states[s], 384, 28 * s, 64, 28},
                       [s](float x, float y, float w, float h) { return list_item(x, y, w, h, s); }});
    all.push_back({{"gutter", 448, 0, 16, 64}, gutter});
    const char* knob_states[] = {"normal", "highlighted", "pushed"};
    for (int s = 0; s < 3; ++s) {
        all.push_back({{std::string("thumb_") + knob_states[s], 464, 40 * s, 16, 40},
                       [s](float x, float y, float w, float h) { return thumb(x, y, w, h, s); }});
        all.push_back({{std::string("arrow_up_") + knob_states[s], 480, 16 * s, 16, 16},
                       [s](float x, float y, float w, float h) { return arrow(x, y, w, h, s, true); }});
        all.push_back({{std::string("arrow_down_") + knob_states[s], 496, 16 * s, 16, 16},
                       [s](float x, float y, float w, float h) { return arrow(x, y, w, h, s, false); }});
    }
    all.push_back({{"icon_ball", 128, 128, 96, 96}, ball_icon});
    all.push_back({{"icon_coin", 224, 128, 32, 32}, coin_icon});
    all.push_back({{"icon_clock", 256, 128, 32, 32}, clock_icon});
    all.push_back({{"icon_flag", 320, 128, 64, 64}, flag_icon});
    all.push_back({{"divider", 0, 232, 320, 12}, divider});
    const std::pair<const char*, colour> metals[] = {
        {"gold", {1.0f, 0.76f, 0.2f, 1}}, {"silver", {0.8f, 0.83f, 0.88f, 1}}, {"bronze", {0.8f, 0.5f, 0.26f, 1}}};
    for (int m = 0; m < 3; ++m)
        all.push_back({{std::string("medal_") + metals[m].first, 384 + 40 * m, 168, 40, 40},
                       std::bind(medal_icon, _1, _2, _3, _4, metals[m].second)});
    return all;
}

}

const std::vector<atlas_region>& gui_atlas_regions()
{
    static const std::vector<atlas_region> regions = [] {
        std::vector<atlas_region> list;
        for (const auto& r : painted_regions())
            list.push_back(r.where);
        return list;
    }();
    return regions;
}

int gui_atlas_width()
{
    return 512;
}

int gui_atlas_height()
{
    return 256;
}

rgba_image paint_gui_atlas()
{
    const auto regions = painted_regions();
    rgba_image image(gui_atlas_width(), gui_atlas_height());
    const float w = float(gui_atlas_width()), h = float(gui_atlas_height());
    image.paint([&](float u, float v) {
        const float x = u * w, y = v * h;
        for (const auto& r : regions) {
            const auto& a = r.where;
            if (x >= a.x && x < a.x + a.w && y >= a.y && y < a.y + a.h)
                return r.paint(x - a.x, y - a.y, float(a.w), float(a.h));
        }
        return clear;
    });
    return image;
}

rgba_image paint_gui_pointer()
{
    rgba_image image(32, 32);
    image.paint([](float u, float v) { return pointer_arrow(u * 32, v * 32); });
    return image;
}
