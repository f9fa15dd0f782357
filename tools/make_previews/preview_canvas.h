#pragma once

// The picture a preview is painted on: float colours, opaque, with shapes
// blended over it. Shapes are signed distance fields in pixels (negative
// inside), so every edge gets one pixel of anti-aliasing, or a wider soft
// edge for shadows and glows. Only pixels inside the picture and the shape's
// box are visited; boxes far outside the picture cost nothing.

#include "course_layout.h"
#include "rgba_image.h"

#include <functional>
#include <vector>

struct pixel_box {
    float x0, y0, x1, y1;
    // The box around some points, grown by pad pixels on every side.
    static pixel_box around(const std::vector<flat_point>& points, float pad);
};

class preview_canvas {
public:
    using distance_field = std::function<float(float x, float y)>;
    using shader = std::function<colour(float x, float y)>;

    preview_canvas(int width, int height);

    int width() const { return w; }
    int height() const { return h; }

    void paint(const shader& at);
    // Blends shade over the shape; its alpha scales the coverage. softness
    // widens the edge to that many pixels.
    void fill(const pixel_box& box, const distance_field& distance, const shader& shade, float softness = 1.0f);
    void fill(const pixel_box& box, const distance_field& distance, const colour& c, float softness = 1.0f);

    colour pixel(int x, int y) const { return pixels[std::size_t(y) * w + x]; }
    rgba_image to_image() const;

private:
    int w;
    int h;
    std::vector<colour> pixels;
};

// Distance fields in pixels.
float circle_distance(float x, float y, float cx, float cy, float r);
// Exact distance to a simple polygon of any winding.
float polygon_distance(float x, float y, const std::vector<flat_point>& corners);
