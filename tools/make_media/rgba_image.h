#pragma once

// A picture of 8-bit RGBA pixels painted in float colours. Painting is by
// callback: paint() asks for the colour of each pixel from its centre in
// texture space (0 to 1 on both axes, v down).

#include <cstdint>
#include <functional>
#include <vector>

struct colour {
    float r = 0, g = 0, b = 0, a = 1;
};

colour mix(const colour& from, const colour& to, float t);
colour scaled(const colour& c, float factor);

class rgba_image {
public:
    rgba_image(int width, int height);

    void paint(const std::function<colour(float u, float v)>& at);

    int width() const { return w; }
    int height() const { return h; }
    // Rows top to bottom, four bytes a pixel.
    const std::vector<std::uint8_t>& bytes() const { return pixels; }

private:
    int w;
    int h;
    std::vector<std::uint8_t> pixels;
};
