#pragma once

// Painters for the flat surfaces of a course: blocks, the platform, the
// ground, doors and the bar panels of coloured doors and switches. Each
// returns a finished picture; none touches OGRE.

#include "door_emblems.h"
#include "rgba_image.h"

rgba_image paint_block();
rgba_image paint_block_cracked();
rgba_image paint_block_speed();
rgba_image paint_platform();
rgba_image paint_ground();
rgba_image paint_door();
// Light bars on a dark frame, tinted by the material, with the colour's emblem
// on a plate in the middle; pressed shows them sunk and the emblem dimmer.
rgba_image paint_bars(bool pressed, emblem_shape emblem);
