#include "campaign_textures.h"

#include "paint_tools.h"

#include <cmath>

namespace {

const int size = 256;

// Every floor keeps a faint checker: without it distance and speed do not
// read against a plain colour.
colour checkered(const colour& c, float u, float v)
{
    const bool dark = (u < 0.5f) != (v < 0.5f);
    return scaled(c, dark ? 0.86f : 1.0f);
}

// A round rivet head lit from the top left, at (cu, cv).
colour riveted(const colour& c, float u, float v, float cu, float cv)
{
    const float du = u - cu, dv = v - cv;
    const float d = std::sqrt(du * du + dv * dv);
    if (d > 0.035f)
        return c;
    if (d > 0.028f)
        return scaled(c, 0.5f);
    return scaled(c, 1.05f - (du + dv) * 8.0f);
}

}

// Iron plate: brushed grain, a rust bloom here and there, a rivet in each corner.
rgba_image paint_block_foundry()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        const float grain = value_noise(u * 0.05f, v, 128, 51);
        colour c = stone_tile(u, v, {0.46f, 0.44f, 0.43f}, 52);
        c = scaled(c, 0.9f + 0.2f * grain);
        const float rust = smooth_step(0.62f, 0.8f, soft_noise(u, v, 4, 53));
        c = mix(c, {0.5f, 0.27f, 0.12f}, 0.7f * rust);
        for (float cu : {0.1f, 0.9f})
            for (float cv : {0.1f, 0.9f})
                c = riveted(c, u, v, cu, cv);
        return c;
    });
    return image;
}

// A sooty floor of cast grates whose slots glow with the furnace below.
rgba_image paint_ground_foundry()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        colour c = mix({0.1f, 0.09f, 0.08f}, {0.17f, 0.14f, 0.12f}, soft_noise(u, v, 4, 54));
        const float su = std::fmod(u * 8.0f, 1.0f), sv = std::fmod(v * 2.0f, 1.0f);
        if (su > 0.4f && su < 0.6f && sv > 0.1f && sv < 0.9f)
            c = mix({0.05f, 0.03f, 0.02f}, {0.75f, 0.28f, 0.05f}, 0.2f + 0.3f * value_noise(u, v, 16, 55));
        return checkered(c, u, v);
    });
    return image;
}

// Blue-white ice stone with frost streaking across its face.
rgba_image paint_block_glacier()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        colour c = stone_tile(u, v, {0.74f, 0.83f, 0.92f}, 61);
        const float streak = value_noise(u + v * 0.4f, v * 0.08f, 64, 62);
        return mix(c, {0.95f, 0.98f, 1.0f}, 0.35f * smooth_step(0.55f, 0.9f, streak));
    });
    return image;
}

// Snow in the valley far below the ridges: shaded blue, so the ice-white
// course stands out against it.
rgba_image paint_ground_glacier()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        const float drift = soft_noise(u, v, 4, 63);
        colour c = mix({0.4f, 0.48f, 0.6f}, {0.64f, 0.71f, 0.8f}, drift);
        c = scaled(c, 0.94f + 0.1f * value_noise(u, v, 64, 64));
        return checkered(c, u, v);
    });
    return image;
}

// Warm sandstone laid down in thin layers.
rgba_image paint_block_sandstone()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        colour c = stone_tile(u, v, {0.84f, 0.68f, 0.48f}, 71);
        const float layers = std::sin((v + 0.03f * soft_noise(u, v, 4, 72)) * 60.0f);
        return scaled(c, 0.95f + 0.06f * layers);
    });
    return image;
}

// Red desert sand rippled by the wind, darker than the stone built on it.
rgba_image paint_ground_sandstone()
{
    rgba_image image(size, size);
    image.paint([](float u, float v) {
        const float wobble = 0.05f * soft_noise(u, v, 2, 73);
        const float ripple = 0.5f + 0.5f * std::sin((u * 0.3f + v + wobble) * 2.0f * 3.14159265f * 12.0f);
        colour c = mix({0.42f, 0.28f, 0.17f}, {0.56f, 0.38f, 0.23f}, soft_noise(u, v, 4, 74));
        c = scaled(c, 0.92f + 0.12f * ripple);
        return checkered(c, u, v);
    });
    return image;
}
