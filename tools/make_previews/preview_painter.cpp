#include "preview_painter.h"

#include "course_layout.h"
#include "marker_painter.h"
#include "paint_tools.h"
#include "preview_canvas.h"
#include "tile_painter.h"

#include <algorithm>
#include <cmath>

namespace {

// Heights closer than this count as one layer.
const float layer_tolerance = 0.25f;

// The height an object is seen at: coins float 5 above their position.
float seen_height(const plan_item& item)
{
    return item.kind == item_kind::coin ? item.pos.y + 5 : item.pos.y;
}

colour backdrop(float x, float y, float w, float h)
{
    colour c = mix({0.10f, 0.16f, 0.30f}, {0.03f, 0.05f, 0.11f}, y / h);
    // A faint grid far below, so the course reads as floating.
    const float grid = std::min(std::fabs(std::fmod(x + 8, 32.0f) - 16), std::fabs(std::fmod(y + 8, 32.0f) - 16));
    c = mix(c, {0.2f, 0.3f, 0.5f}, 0.12f * (1 - smooth_step(0.0f, 1.0f, grid)));
    return c;
}

// Darkens the corners and lays a thin amber line inside the edge, the
// accent the GUI's panels use.
colour framed(colour c, float x, float y, float w, float h)
{
    const float edge = std::min(std::min(x, w - x), std::min(y, h - y));
    c = scaled(c, 0.55f + 0.45f * smooth_step(0.0f, 60.0f, edge));
    const float line = std::fabs(edge - 4.5f);
    return mix(c, {0.93f, 0.55f, 0.12f}, 0.35f * std::clamp(1.0f - line, 0.0f, 1.0f));
}

}

preview_painter::preview_painter(int width, int height) : width(std::max(1, width)), height(std::max(1, height))
{
}

float preview_painter::margin() const
{
    return std::min(width, height) * 0.075f;
}

rgba_image preview_painter::paint(const level_plan& plan) const
{
    const float w = float(width), h = float(height);
    preview_canvas canvas(width, height);
    canvas.paint([w, h](float x, float y) { return backdrop(x, y, w, h); });

    const course_layout layout(plan, width, height, margin());
    tile_painter tiles(canvas, layout);
    marker_painter markers(canvas, layout);

    std::vector<const plan_item*> order;
    for (const plan_item& item : plan.items())
        order.push_back(&item);
    std::stable_sort(order.begin(), order.end(),
                     [](const plan_item* a, const plan_item* b) { return seen_height(*a) < seen_height(*b); });
    float lowest = 0, highest = 0;
    bool any = false;
    for (const plan_item* item : order)
        if (item->kind != item_kind::ground) {
            const float y = seen_height(*item);
            lowest = any ? std::min(lowest, y) : y;
            highest = any ? std::max(highest, y) : y;
            any = true;
        }
    const auto brightness = [&](const plan_item& item) {
        if (item.kind == item_kind::ground)
            return 0.7f;
        if (highest - lowest < 1.0f)
            return 1.0f;
        return 0.82f + 0.23f * (seen_height(item) - lowest) / (highest - lowest);
    };
    const auto lift = [&](const plan_item& item) {
        return std::clamp(3.0f + 0.15f * (seen_height(item) - lowest) * layout.scale(), 3.0f, 9.0f);
    };

    for (std::size_t first = 0; first < order.size();) {
        std::size_t end = first;
        while (end < order.size() && seen_height(*order[end]) - seen_height(*order[first]) <= layer_tolerance)
            ++end;
        for (std::size_t i = first; i < end; ++i)
            if (is_tile(*order[i]))
                tiles.shadow(*order[i], lift(*order[i]));
        for (std::size_t i = first; i < end; ++i)
            if (is_tile(*order[i]))
                tiles.side(*order[i], brightness(*order[i]));
        for (std::size_t i = first; i < end; ++i)
            tiles.path(*order[i]);
        for (std::size_t i = first; i < end; ++i)
            if (is_tile(*order[i]))
                tiles.top(*order[i], brightness(*order[i]));
        for (std::size_t i = first; i < end; ++i)
            if (!is_tile(*order[i]))
                markers.paint(*order[i], brightness(*order[i]));
        first = end;
    }

    canvas.paint([&canvas, w, h](float x, float y) { return framed(canvas.pixel(int(x), int(y)), x, y, w, h); });
    return canvas.to_image();
}
