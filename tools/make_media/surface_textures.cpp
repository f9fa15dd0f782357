#include "surface_textures.h"

#include "paint_tools.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const int size = 256;

struct crack {
    float au, av, bu, bv;
};

// Branching cracks that spread from one impact point, placed by a fixed hash.
std::vector<crack> make_cracks()
{
    std::vector<crack> cracks;
    unsigned n = 1;
    for (int arm = 0; arm < 7; ++arm) {
        float u = 0.46f, v = 0.54f;
        float angle = arm * 0.9f + hash01(n++) * 0.6f;
        for (int step = 0; step < 7; ++step) {
            const float length = 0.05f + 0.05f * hash01(n++);
            angle += (hash01(n++) - 0.5f) * 0.9f;
            const float nu = u + std::cos(angle) * length, nv = v + std::sin(angle) * length;
            cracks.push_back({u, v, nu, nv});
            if (hash01(n++) < 0.3f) {
                const float side = angle + (hash01(n++) < 0.5f ? 0.8f : -0.8f);
                cracks.push_back({nu, nv, nu + std::cos(side) * length * 0.7f,
                                  nv + std::sin(side) * length * 0.7f});
            }
            u = nu;
            v = nv;
        }
    }
    return cracks;
}

colour bars(bool pressed, float u, float v)
{
    colour frame = scaled({0.22f, 0.22f, 0.24f}, 0.8f + 0.4f * soft_noise(u, v, 8, 41));
    frame = scaled(frame, bevel_light(u, v, 0.05f));
    const float edge = edge_distance(u, v);
    if (edge < 0.08f)
        return frame;
    // Five round bars across the opening, lit from the left.
    const float cell = std::fmod((u - 0.08f) / 0.84f * 5.0f, 1.0f);
    const float across = (cell - 0.5f) / 0.32f;
    if (std::abs(across) >= 1.0f)
        return scaled(frame, 0.45f);
    const float round = std::sqrt(1 - across * across);
    float light = 0.35f + 0.65f * round - 0.25f * across;
    // A sunk bar is lit from the other side and sits in shadow.
    if (pressed)
        light = 0.25f + 0.35f * round + 0.2f * across;
    return scaled({1.0f, 1.0f, 1.0f}, std::clamp(light, 0.0f, 1.0f));
}

// A dark plate bolted over the middle bars, holding a light shape in a black
// outline: the three greys keep the shape readable under any tint and to a
// player who sees none. A pressed switch dims it with its bars.
colour emblem_plate(const colour& under, emblem_shape emblem, bool pressed, float u, float v)
{
    const float plate_half = 0.31f;
    const float pu = (u - 0.5f) / (2 * plate_half) + 0.5f, pv = (v - 0.5f) / (2 * plate_half) + 0.5f;
    if (edge_distance(pu, pv) < 0)
        return under;
    const colour plate = scaled({0.25f, 0.25f, 0.27f}, bevel_light(pu, pv, 0.05f));
    const float pixel = 1.0f / size, outline = 0.025f;
    const float d = emblem_distance(emblem, u, v);
    const colour ringed = mix(plate, {0.03f, 0.03f, 0.03f}, 1 - smooth_step(outline, outline + pixel, d));
    const colour c = mix(ringed, {0.95f, 0.95f, 0.95f}, 1 - smooth_step(0, pixel, d));
    return pressed ? scaled(c, 0.6f) : c;
}

}

rgba_image paint_block()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) { return stone_tile(u, v, {0.7f, 0.72f, 0.77f}, 11); });
    return image;
}

rgba_image paint_block_cracked()
{
    const std::vector<crack> cracks = make_cracks();
    rgba_image image(size, size);
    image.paint([&](float u, float v) {
        colour c = stone_tile(u, v, {0.8f, 0.62f, 0.46f}, 12);
        float d = 1;
        for (const crack& k : cracks)
            d = std::min(d, segment_distance(u, v, k.au, k.av, k.bu, k.bv));
        // A dark core with a lighter chipped rim reads as depth under any light.
        const float core = 1 - smooth_step(0.004f, 0.009f, d);
        const float rim = 1 - smooth_step(0.009f, 0.018f, d);
        c = scaled(c, 1 + 0.2f * (rim - core));
        return mix(c, {0.12f, 0.08f, 0.06f}, core);
    });
    return image;
}

rgba_image paint_block_speed()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        colour c = stone_tile(u, v, {0.36f, 0.38f, 0.44f}, 13);
        // Three chevrons pointing to the image's top (the block's far side).
        const float x = std::abs(u - 0.5f);
        const float band = std::fmod(v - x * 0.9f + 1.0f, 0.3f);
        const float inside = x < 0.3f ? smooth_step(0.0f, 0.01f, band) *
                                            (1 - smooth_step(0.1f, 0.11f, band)) *
                                            (1 - smooth_step(0.29f, 0.3f, x))
                                      : 0.0f;
        if (edge_distance(u, v) > 0.06f)
            c = mix(c, {1.0f, 0.78f, 0.1f}, inside);
        return c;
    });
    return image;
}

rgba_image paint_platform()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        colour c = stone_tile(u, v, {0.55f, 0.58f, 0.62f}, 14);
        // Diagonal hazard stripes round the rim warn that this one moves.
        const float edge = edge_distance(u, v);
        if (edge > 0.03f && edge < 0.11f) {
            const bool yellow = std::fmod((u + v) * 12.0f, 2.0f) < 1.0f;
            c = yellow ? colour{0.95f, 0.75f, 0.1f} : colour{0.12f, 0.12f, 0.14f};
            c = scaled(c, 0.9f + 0.1f * soft_noise(u, v, 16, 4));
        }
        // Tread plate in the middle.
        const float fu = std::fmod(u * 10, 1.0f) - 0.5f, fv = std::fmod(v * 10, 1.0f) - 0.5f;
        if (edge >= 0.11f && std::abs(fu + fv) < 0.12f && std::abs(fu - fv) < 0.6f)
            c = scaled(c, 1.2f);
        return c;
    });
    return image;
}

rgba_image paint_ground()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        const float n = soft_noise(u, v, 4, 21);
        colour c = mix({0.2f, 0.3f, 0.22f}, {0.3f, 0.36f, 0.24f}, n);
        // Faint checker so distance and motion read against the floor.
        const bool dark = (u < 0.5f) != (v < 0.5f);
        c = scaled(c, dark ? 0.86f : 1.0f);
        return scaled(c, 0.9f + 0.2f * value_noise(u, v, 64, 22));
    });
    return image;
}

rgba_image paint_door()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        // Brushed steel: noise stretched along the grain.
        const float grain = value_noise(u * 0.05f, v, 128, 31);
        colour c = scaled({0.62f, 0.65f, 0.7f}, 0.85f + 0.25f * grain);
        c = scaled(c, bevel_light(u, v, 0.03f));
        for (float ru : {0.08f, 0.92f})
            for (float rv : {0.06f, 0.35f, 0.65f, 0.94f}) {
                const float d = std::hypot(u - ru, v - rv);
                if (d < 0.018f)
                    c = scaled(c, 1.3f - 20.0f * (u - ru + v - rv));
            }
        return c;
    });
    return image;
}

rgba_image paint_bars(bool pressed, emblem_shape emblem)
{
    rgba_image image(size, size);
    image.paint([=](float u, float v) { return emblem_plate(bars(pressed, u, v), emblem, pressed, u, v); });
    return image;
}
