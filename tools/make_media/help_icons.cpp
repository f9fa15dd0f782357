#include "help_icons.h"

#include "door_emblems.h"
#include "paint_tools.h"
#include "surface_textures.h"

#include <algorithm>

namespace {

// The GUI shows it at about 40 pixels; twice that keeps the edges clean.
const int size = 128;

struct door_colour {
    colour tint;
    emblem_shape shape;
};

// The tints of the door materials, so the picture matches what the player meets.
const door_colour doors[2][2] = {
    {{{1.0f, 0.25f, 0.2f}, emblem_shape::circle}, {{0.25f, 0.45f, 1.0f}, emblem_shape::square}},
    {{{0.25f, 0.95f, 0.3f}, emblem_shape::triangle}, {{0.95f, 0.95f, 0.95f}, emblem_shape::star}},
};

// One quarter: a bevelled plate in the door's tint, darkened, holding its
// shape in full tint inside a black outline, as on the bars in play.
colour quarter(const door_colour& door, float u, float v)
{
    const float pixel = 2.0f / size, outline = 0.05f;
    colour c = scaled(door.tint, 0.35f * bevel_light(u, v, 0.08f));
    if (edge_distance(u, v) < 0.03f)
        return {0.05f, 0.05f, 0.06f};
    // The shapes are sized for a door's middle plate; this one fills more.
    const float d = emblem_distance(door.shape, 0.5f + (u - 0.5f) * 0.72f, 0.5f + (v - 0.5f) * 0.72f) / 0.72f;
    c = mix(c, {0.03f, 0.03f, 0.03f}, 1 - smooth_step(outline, outline + pixel, d));
    return mix(c, door.tint, 1 - smooth_step(0, pixel, d));
}

// The colour of `image` at (u, v), nearest pixel.
colour texel(const rgba_image& image, float u, float v)
{
    const int x = std::min(int(u * image.width()), image.width() - 1);
    const int y = std::min(int(v * image.height()), image.height() - 1);
    const auto* p = &image.bytes()[size_t(y * image.width() + x) * 4];
    return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
}

// Distance from (u, v) to a right-pointing arrow's centre lines.
float arrow_distance(float u, float v)
{
    const float shaft = segment_distance(u, v, 0.2f, 0.5f, 0.76f, 0.5f);
    const float upper = segment_distance(u, v, 0.78f, 0.5f, 0.56f, 0.28f);
    const float lower = segment_distance(u, v, 0.78f, 0.5f, 0.56f, 0.72f);
    return std::min(shaft, std::min(upper, lower));
}

}

rgba_image paint_help_doors()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        const int column = u < 0.5f ? 0 : 1, row = v < 0.5f ? 0 : 1;
        return quarter(doors[row][column], u * 2 - column, v * 2 - row);
    });
    return image;
}

rgba_image paint_help_crate()
{
    const rgba_image tile = paint_block_cracked();
    rgba_image image(size, size);
    image.paint([&tile](float u, float v) {
        const float pixel = 1.0f / size, width = 0.06f, outline = 0.025f;
        colour c = scaled(texel(tile, u, v), bevel_light(u, v, 0.1f));
        if (edge_distance(u, v) < 0.02f)
            return colour{0.1f, 0.07f, 0.05f};
        const float d = arrow_distance(u, v);
        c = mix(c, {0.1f, 0.07f, 0.05f}, 1 - smooth_step(width + outline, width + outline + pixel, d));
        return mix(c, {1.0f, 0.95f, 0.85f}, 1 - smooth_step(width, width + pixel, d));
    });
    return image;
}
