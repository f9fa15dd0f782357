#pragma once

// Paints the level-selection preview of one level (320 x 240 by default, about
// the size of the menu's preview box at 1024 x 768): the course from above on
// the dark blue of the GUI, fitted by course_layout. Objects are drawn from the
// lowest up, a height at a time, so higher tiles throw shadows onto lower
// ones and come out a little lighter. An empty plan gives the plain
// background, the picture of a level that cannot be drawn.

#include "level_plan.h"
#include "rgba_image.h"

class preview_painter {
public:
    static constexpr int default_width = 320;
    static constexpr int default_height = 240;

    explicit preview_painter(int width = default_width, int height = default_height);

    rgba_image paint(const level_plan& plan) const;

    // How far the course keeps from the picture's edges, in pixels.
    float margin() const;

private:
    int width;
    int height;
};
