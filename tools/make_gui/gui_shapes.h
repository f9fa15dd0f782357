#pragma once

// Shape helpers for the GUI pictures, in pixel units (pixel centres at +0.5).
// Shapes are signed distance fields: negative inside, positive outside, so a
// coverage of clamp(0.5 - d) gives one pixel of anti-aliasing at every edge.

#include "rgba_image.h"

#include <vector>

// Distance to a box from (x0, y0) to (x1, y1) whose corners are rounded by r.
float rounded_box(float x, float y, float x0, float y0, float x1, float y1, float r);
// Distance to a circle.
float circle(float x, float y, float cx, float cy, float r);
// Anti-aliased coverage of a shape at distance d.
float coverage(float d);
// Straight-alpha "over": top drawn on bottom. A fully transparent result keeps
// the colour of what was drawn, so filtering at shape edges shows no dark rim.
colour over(const colour& top, const colour& bottom);
colour with_alpha(colour c, float a);

struct point2 {
    float x, y;
};

// Exact distance to a simple polygon (any winding, convex or not).
float polygon(float x, float y, const std::vector<point2>& corners);
float triangle(float x, float y, float ax, float ay, float bx, float by, float cx, float cy);
