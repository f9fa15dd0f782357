#pragma once

// Paints everything that is not a tile: start pad, checkpoint ring, the
// chequered target flag, coins, teleporter rings with a faint line to where
// they send the ball, doors and switches in their colour, and info boxes.
// Markers keep a least size in pixels, so they stay readable however far the
// course is zoomed out. Canvas and layout belong to the caller.

#include "course_layout.h"
#include "preview_canvas.h"

class marker_painter {
public:
    marker_painter(preview_canvas& canvas, const course_layout& layout);

    void paint(const plan_item& item, float brightness);

private:
    void start(const plan_item& item);
    void checkpoint(const plan_item& item);
    void target(const plan_item& item);
    void coin(const plan_item& item);
    void teleporter(const plan_item& item);
    void bar(const plan_item& item, float brightness);
    void info(const plan_item& item);

    void disc(flat_point centre, float radius, const colour& c, float softness = 1.0f);
    void ring(flat_point centre, float radius, float thickness, const colour& c);
    // Radius in pixels of something `units` across, at least `least` pixels.
    float size(float units, float least) const;

    preview_canvas& canvas;
    const course_layout& layout;
};
