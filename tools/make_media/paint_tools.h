#pragma once

// Small shape and noise functions the texture painters share. Everything is
// deterministic (no random device), so every build writes the same pictures.
// Coordinates are texture space, 0 to 1.

#include "rgba_image.h"

float smooth_step(float edge0, float edge1, float x);

// Tileable value noise in [0, 1] with cells cells across the texture.
float value_noise(float u, float v, int cells, unsigned seed);
// Three octaves of value_noise, still tileable and in [0, 1].
float soft_noise(float u, float v, int cells, unsigned seed);

// Distance from (u, v) to the nearest edge of the unit square.
float edge_distance(float u, float v);
// Light raking across a bevel of the given width: above 1 on the top and left
// rims, below 1 on the bottom and right ones, 1 on the flat middle.
float bevel_light(float u, float v, float width);

// Distance from point p to the segment a-b.
float segment_distance(float pu, float pv, float au, float av, float bu, float bv);

// The shared stone tile of the course: a mottled face of the base colour, a
// groove round the edge and a bevel.
colour stone_tile(float u, float v, const colour& base, unsigned seed);

// A number in [0, 1) from an integer, for placing things reproducibly.
float hash01(unsigned n);
