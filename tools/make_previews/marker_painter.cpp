#include "marker_painter.h"

#include "paint_tools.h"

#include <algorithm>
#include <cmath>

namespace {

const colour pad_green{0.25f, 0.78f, 0.36f};
const colour checkpoint_green{0.62f, 0.95f, 0.62f};
const colour gold{1.0f, 0.78f, 0.2f};
const colour blue_coin{0.35f, 0.62f, 1.0f};
const colour teleporter_purple{0.74f, 0.38f, 0.98f};
const colour info_blue{0.28f, 0.52f, 0.95f};
const colour chequer_dark{0.06f, 0.08f, 0.14f};
const colour chequer_light{0.97f, 0.96f, 0.93f};
const colour shade{0.0f, 0.01f, 0.05f, 0.5f};

// Red, blue, green and white, the order of the colour names.
colour door_colour(int index)
{
    static const colour colours[] = {
        {0.92f, 0.22f, 0.2f}, {0.25f, 0.48f, 1.0f}, {0.2f, 0.82f, 0.32f}, {0.95f, 0.95f, 0.95f}};
    return colours[std::clamp(index, 0, 3)];
}

colour faded(colour c, float alpha)
{
    c.a = alpha;
    return c;
}

}

marker_painter::marker_painter(preview_canvas& canvas, const course_layout& layout) : canvas(canvas), layout(layout)
{
}

void marker_painter::paint(const plan_item& item, float brightness)
{
    switch (item.kind) {
    case item_kind::start: start(item); break;
    case item_kind::checkpoint: checkpoint(item); break;
    case item_kind::target: target(item); break;
    case item_kind::coin: coin(item); break;
    case item_kind::teleporter: teleporter(item); break;
    case item_kind::door:
    case item_kind::switch_panel: bar(item, brightness); break;
    case item_kind::info: info(item); break;
    default: break;
    }
}

float marker_painter::size(float units, float least) const
{
    return std::max(units * layout.scale() / 2, least);
}

void marker_painter::disc(flat_point centre, float radius, const colour& c, float softness)
{
    canvas.fill(pixel_box::around({centre}, radius + softness + 1),
                [=](float x, float y) { return circle_distance(x, y, centre.x, centre.y, radius); }, c, softness);
}

void marker_painter::ring(flat_point centre, float radius, float thickness, const colour& c)
{
    canvas.fill(pixel_box::around({centre}, radius + thickness + 1),
                [=](float x, float y) {
                    return std::fabs(circle_distance(x, y, centre.x, centre.y, radius)) - thickness / 2;
                },
                c);
}

void marker_painter::start(const plan_item& item)
{
    const flat_point p = layout.to_pixel(item.pos);
    const float r = size(10, 6);
    disc({p.x + 1.5f, p.y + 2}, r + 1, shade, 2);
    disc(p, r, chequer_light);
    disc(p, r - 1.5f, pad_green);
    disc({p.x - r * 0.3f, p.y - r * 0.3f}, r * 0.3f, faded({0.7f, 1.0f, 0.75f}, 0.6f), 2);
}

void marker_painter::checkpoint(const plan_item& item)
{
    const flat_point p = layout.to_pixel(item.pos);
    const float r = size(10, 5.5f);
    disc(p, r, faded(checkpoint_green, 0.22f));
    ring(p, r - 1, 2.2f, checkpoint_green);
}

void marker_painter::target(const plan_item& item)
{
    const flat_point p = layout.to_pixel(item.pos);
    const float r = size(12, 6);
    // A chequered goal disc, and the flag standing on it.
    const float cell = std::max(2.0f, r / 2.5f);
    disc({p.x + 1.5f, p.y + 2}, r + 1, shade, 2);
    disc(p, r + 1, chequer_dark);
    canvas.fill(pixel_box::around({p}, r + 1),
                [=](float x, float y) { return circle_distance(x, y, p.x, p.y, r); },
                [=](float x, float y) {
                    const bool dark = (int(std::floor((x - p.x) / cell + 8)) + int(std::floor((y - p.y) / cell + 8))) % 2;
                    return dark ? chequer_dark : chequer_light;
                });
    const float pole = std::clamp(2.2f * r, 14.0f, 30.0f);
    const flat_point top{p.x, p.y - pole};
    canvas.fill(pixel_box::around({p, top}, 2),
                [=](float x, float y) { return segment_distance(x, y, p.x, p.y, top.x, top.y) - 0.8f; },
                chequer_light);
    const float cloth_w = pole * 0.75f, cloth_h = pole * 0.5f, square = cloth_h / 3;
    const std::vector<flat_point> cloth{
        {top.x + 1, top.y}, {top.x + 1 + cloth_w, top.y}, {top.x + 1 + cloth_w, top.y + cloth_h}, {top.x + 1, top.y + cloth_h}};
    const auto inside = [cloth](float x, float y) { return polygon_distance(x, y, cloth); };
    canvas.fill(pixel_box::around(cloth, 4), [=](float x, float y) { return inside(x - 1.5f, y - 2); }, shade, 2);
    canvas.fill(pixel_box::around(cloth, 1), inside, [=](float x, float y) {
        const bool dark = (int(std::floor((x - top.x - 1) / square)) + int(std::floor((y - top.y) / square))) % 2;
        return dark ? chequer_dark : chequer_light;
    });
}

void marker_painter::coin(const plan_item& item)
{
    const flat_point p = layout.to_pixel(item.pos);
    const float r = size(5, 2.6f);
    disc({p.x + 1, p.y + 1.5f}, r, shade, 1.5f);
    disc(p, r, item.style == 1 ? blue_coin : gold);
    disc({p.x - r * 0.35f, p.y - r * 0.35f}, r * 0.35f, faded({1.0f, 0.98f, 0.88f}, 0.8f));
}

void marker_painter::teleporter(const plan_item& item)
{
    const flat_point p = layout.to_pixel(item.pos);
    const float r = size(10, 5.5f);
    if (item.has_link) {
        const flat_point q = layout.to_pixel(item.link);
        canvas.fill(pixel_box::around({p, q}, 2),
                    [=](float x, float y) { return segment_distance(x, y, p.x, p.y, q.x, q.y) - 0.7f; },
                    faded(teleporter_purple, 0.35f));
    }
    disc(p, r + 2.5f, faded(teleporter_purple, 0.35f), 4);
    disc(p, r, {0.22f, 0.08f, 0.34f});
    ring(p, r - 1.2f, 2.4f, teleporter_purple);
    disc(p, r * 0.3f, faded({0.95f, 0.85f, 1.0f}, 0.9f));
}

void marker_painter::bar(const plan_item& item, float brightness)
{
    // Doors and switches are half a unit thick: widened to stay visible.
    const float thick = std::max(item.width, (item.kind == item_kind::door ? 3.0f : 4.0f) / layout.scale());
    const auto corners = layout.footprint(item, item.pos, thick, item.depth);
    const auto outline = [corners](float x, float y) { return polygon_distance(x, y, corners); };
    colour c = scaled(door_colour(item.style), brightness);
    if (item.active)
        c = item.kind == item_kind::door ? faded(c, 0.45f) : scaled(c, 0.6f);
    canvas.fill(pixel_box::around(corners, 4), [&](float x, float y) { return outline(x - 1, y - 1.5f); }, shade, 1.5f);
    canvas.fill(pixel_box::around(corners, 2), [&](float x, float y) { return outline(x, y) - 0.8f; },
                faded(chequer_dark, c.a));
    canvas.fill(pixel_box::around(corners, 1), outline, c);
    if (item.kind == item_kind::switch_panel) {
        const flat_point p = layout.to_pixel(item.pos);
        disc(p, std::max(1.2f, thick * layout.scale() * 0.3f), chequer_light);
    }
}

void marker_painter::info(const plan_item& item)
{
    const auto corners = layout.footprint(item, item.pos, std::max(item.width, 6.0f / layout.scale()),
                                          std::max(item.depth, 6.0f / layout.scale()));
    const auto outline = [corners](float x, float y) { return polygon_distance(x, y, corners) + 0.6f; };
    canvas.fill(pixel_box::around(corners, 3), [&](float x, float y) { return outline(x - 1, y - 1.5f); }, shade, 1.5f);
    canvas.fill(pixel_box::around(corners, 1), outline, info_blue);
    const flat_point p = layout.to_pixel(item.pos);
    // An "i": a dot over a short stroke.
    const float s = std::max(6.0f, item.width * layout.scale());
    disc({p.x, p.y - s * 0.22f}, std::max(0.6f, s * 0.08f), chequer_light);
    canvas.fill(pixel_box::around({p}, s / 2),
                [=](float x, float y) {
                    return segment_distance(x, y, p.x, p.y - s * 0.02f, p.x, p.y + s * 0.25f) - std::max(0.5f, s * 0.06f);
                },
                chequer_light);
}
