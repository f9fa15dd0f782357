#include "help_icons.h"

#include "door_emblems.h"
#include "paint_tools.h"

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
