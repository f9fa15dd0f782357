#pragma once

// Painters for the flat surfaces of a course: blocks, the platform, the
// ground, doors and the bar panels of coloured doors and switches. Each
// returns a finished picture; none touches OGRE.

#include "rgba_image.h"

rgba_image paint_block();
rgba_image paint_block_cracked();
rgba_image paint_block_speed();
rgba_image paint_platform();
rgba_image paint_ground();
rgba_image paint_door();
// Light bars on a dark frame, tinted by the material; pressed shows them sunk.
rgba_image paint_bars(bool pressed);
