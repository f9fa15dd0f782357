#pragma once

// Small pictures painted into the skin atlas and the pointer texture. Each
// takes pixel coordinates inside its own square (w by h pixels).

#include "rgba_image.h"

// A glossy blue ball with an amber band: the player, on the title screen.
colour ball_icon(float x, float y, float w, float h);
colour coin_icon(float x, float y, float w, float h);
colour clock_icon(float x, float y, float w, float h);
colour flag_icon(float x, float y, float w, float h);
// A medal on a short ribbon: `metal` is its colour in light (gold, silver or
// bronze); the face carries a raised star.
colour medal_icon(float x, float y, float w, float h, colour metal);
// The mouse pointer on a 32 x 32 square; white with a black rim, so it shows
// on light and dark screens alike.
colour pointer_arrow(float x, float y);
