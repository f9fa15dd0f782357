#pragma once

// Paints the walkable tiles of a preview: blocks by block_type, platforms at
// each stop with the dotted path they travel, and the ground floor. A tile is
// painted in three passes (the shadow it throws, its side, its top) so that a
// group of tiles at one height can throw shadows onto lower ones without
// darkening each other: the caller runs each pass over the whole group.
// The painter draws onto a canvas it does not own, through a layout it does
// not own; both must outlive it.

#include "course_layout.h"
#include "preview_canvas.h"

class tile_painter {
public:
    tile_painter(preview_canvas& canvas, const course_layout& layout);

    // lift: how far below the tile its shadow lands, in pixels.
    void shadow(const plan_item& item, float lift);
    void side(const plan_item& item, float brightness);
    void top(const plan_item& item, float brightness);
    // The dotted line a platform travels between its stops.
    void path(const plan_item& item);

private:
    void tile(const plan_item& item, const world_point& at, float brightness);

    preview_canvas& canvas;
    const course_layout& layout;
};

bool is_tile(const plan_item& item);
