#include "object_textures.h"

#include "paint_tools.h"

#include <algorithm>
#include <cmath>

namespace {

const int size = 256;
const float pi = 3.14159265f;

float radius_of(float u, float v)
{
    return std::hypot(u - 0.5f, v - 0.5f) * 2;
}

float angle_of(float u, float v)
{
    return std::atan2(v - 0.5f, u - 0.5f);
}

// Outer edge of a round pad: a dark lip so the pad stands off the block.
colour pad_rim(const colour& inside, float r)
{
    return mix(inside, {0.08f, 0.08f, 0.1f}, smooth_step(0.9f, 0.94f, r));
}

}

rgba_image paint_ball()
{
    rgba_image image(512, 256);
    image.paint([](float u, float v) {
        // Six segments, swapped between the hemispheres, so a roll in any
        // direction moves a colour edge past the camera.
        const int segment = int(u * 6) % 6;
        const bool north = v < 0.5f;
        const bool warm = (segment % 2 == 0) == north;
        colour c = warm ? colour{1.0f, 0.5f, 0.08f} : colour{0.95f, 0.93f, 0.88f};
        const float seam_u = std::abs(std::fmod(u * 6, 1.0f) - 0.5f);
        const float seam = std::min(0.5f - seam_u, std::abs(v - 0.5f) * 6);
        c = mix({0.1f, 0.1f, 0.14f}, c, smooth_step(0.02f, 0.05f, seam));
        // Dark caps hide where the texture pinches at the poles.
        const float pole = std::min(v, 1 - v);
        return mix({0.12f, 0.12f, 0.16f}, c, smooth_step(0.07f, 0.08f, pole));
    });
    return image;
}

rgba_image paint_start()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        const float r = radius_of(u, v);
        colour c = scaled({0.2f, 0.72f, 0.32f}, 0.9f + 0.15f * soft_noise(u, v, 8, 51));
        const float ring = std::abs(r - 0.72f);
        c = mix({0.95f, 0.97f, 0.9f}, c, smooth_step(0.04f, 0.05f, ring));
        c = mix({0.85f, 1.0f, 0.85f}, c, smooth_step(0.17f, 0.19f, r));
        return pad_rim(c, r);
    });
    return image;
}

rgba_image paint_checkpoint(const pad_colours& colours)
{
    rgba_image image(size, size);
    image.paint([colours](float u, float v) {
        const float r = radius_of(u, v);
        colour c = scaled(colours.field, 0.9f + 0.15f * soft_noise(u, v, 8, 54));
        c = mix(colours.ring, c, smooth_step(0.04f, 0.055f, std::abs(r - 0.72f)));
        // The flag the newest one raises, drawn flat: a pole with a pennant
        // flying to the right (+x on the pad) from its top.
        float d = segment_distance(u, v, 0.42f, 0.68f, 0.42f, 0.28f) - 0.02f;
        const float along = (u - 0.42f) / 0.24f, spread = std::abs(v - 0.37f) / 0.09f;
        if (along > 0 && along < 1 && spread < 1 - along)
            d = -1;
        return pad_rim(mix(colours.emblem, c, smooth_step(0.0f, 0.012f, d)), r);
    });
    return image;
}

rgba_image paint_checkpoint_glow()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        const float r = radius_of(u, v);
        // Bright at the ring, fading inwards; black from the pad's lip out.
        const float ring = std::exp(-std::pow((r - 0.72f) / 0.07f, 2.0f));
        const float inside = 0.25f * smooth_step(0.8f, 0.3f, r);
        return scaled({0.55f, 0.95f, 1.0f}, std::min(1.0f, ring + inside));
    });
    return image;
}

rgba_image paint_finish()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        const float r = radius_of(u, v);
        // A bullseye inside a chequered band: the goal reads from far away.
        colour c = int(r * 7) % 2 == 0 ? colour{0.92f, 0.16f, 0.14f}
                                       : colour{0.96f, 0.95f, 0.92f};
        if (r > 0.72f) {
            const int sector = int((angle_of(u, v) + pi) / (2 * pi) * 24);
            const int band = r > 0.82f ? 1 : 0;
            c = (sector + band) % 2 == 0 ? colour{0.08f, 0.08f, 0.1f}
                                         : colour{0.96f, 0.95f, 0.92f};
        }
        c = scaled(c, 0.92f + 0.1f * soft_noise(u, v, 8, 52));
        return pad_rim(c, r);
    });
    return image;
}

rgba_image paint_flag()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        // Five squares by three on a cloth half again as wide as tall, so
        // they come out square; soft folds run down it.
        const bool dark = (int(u * 5) + int(v * 3)) % 2 == 1;
        const colour c = dark ? colour{0.08f, 0.08f, 0.1f} : colour{0.96f, 0.95f, 0.92f};
        const float fold = 0.88f + 0.12f * std::sin(u * 3 * 2 * pi + 0.8f);
        return scaled(c, fold * (0.95f + 0.08f * soft_noise(u, v, 8, 53)));
    });
    return image;
}

rgba_image paint_teleporter()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        const float r = radius_of(u, v);
        const float swirl = std::sin(r * 22.0f - angle_of(u, v) * 3.0f) * 0.5f + 0.5f;
        colour c = mix({0.25f, 0.08f, 0.45f}, {0.35f, 0.9f, 1.0f}, swirl * swirl);
        // The centre glows, the edge darkens into the rim.
        c = mix({0.85f, 0.95f, 1.0f}, c, smooth_step(0.05f, 0.3f, r));
        return pad_rim(c, r);
    });
    return image;
}

rgba_image paint_coin(const colour& metal)
{
    rgba_image image(size, size);
    image.paint([metal](float u, float v) {
        const float r = radius_of(u, v);
        const float a = angle_of(u, v);
        // A five-pointed star embossed in the middle, a raised rim round it.
        const float star_edge = 0.42f + 0.18f * std::cos(5 * (a + pi / 2));
        float light = 0.85f;
        if (r < star_edge)
            light = 1.1f + 0.25f * std::cos(a + 2.4f) * (r / star_edge);
        if (r > 0.76f)
            light = 1.0f + 0.35f * std::sin(a - 2.4f) * (r > 0.86f ? -1.0f : 1.0f);
        const colour c = scaled(metal, light * (0.95f + 0.1f * soft_noise(u, v, 8, 61)));
        return r > 0.97f ? scaled(metal, 0.6f) : c;
    });
    return image;
}

rgba_image paint_infobox()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        colour c = scaled({0.18f, 0.42f, 0.9f}, 0.9f + 0.15f * soft_noise(u, v, 8, 71));
        c = scaled(c, bevel_light(u, v, 0.06f));
        // A question mark: an open hook, a short stem and a dot.
        float d = 1;
        const float cu = 0.5f, cv = 0.37f, hook = 0.15f;
        float pu = cu + hook * std::cos(pi * 1.1f), pv = cv + hook * std::sin(pi * 1.1f);
        for (int i = 1; i <= 20; ++i) {
            const float t = pi * 1.1f + (pi * 1.6f) * i / 20;
            const float nu = cu + hook * std::cos(t), nv = cv + hook * std::sin(t);
            d = std::min(d, segment_distance(u, v, pu, pv, nu, nv));
            pu = nu;
            pv = nv;
        }
        d = std::min(d, segment_distance(u, v, pu, pv, 0.5f, 0.56f));
        d = std::min(d, segment_distance(u, v, 0.5f, 0.56f, 0.5f, 0.62f));
        d = std::min(d, std::hypot(u - 0.5f, v - 0.76f) - 0.015f);
        return mix({1.0f, 0.98f, 0.85f}, c, smooth_step(0.045f, 0.055f, d));
    });
    return image;
}

rgba_image paint_level_back()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        const float edge = edge_distance(u, v);
        colour c = mix({0.02f, 0.03f, 0.06f}, {0.06f, 0.08f, 0.14f}, 1 - v);
        c.a = 0.72f * smooth_step(0.0f, 0.12f, edge);
        return c;
    });
    return image;
}
