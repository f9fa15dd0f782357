#pragma once

// The shapes on the bars of doors and switches, one per colour, so that a
// player who cannot tell the tints apart still matches a switch to its door.
// Each is a bold filled outline centred on the texture; none touches OGRE.

enum class emblem_shape { circle, square, triangle, star };

// Signed distance in texture space from (u, v) to the shape's edge: negative
// inside, positive outside.
float emblem_distance(emblem_shape shape, float u, float v);
