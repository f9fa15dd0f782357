#pragma once

// Painters for the things on a course: the ball, the start and target pads,
// the target's flag, the teleporter, coins, info boxes, and the dark banner
// behind level texts.
// Each returns a finished picture; none touches OGRE.

#include "rgba_image.h"

// Wrapped round a sphere: u around the equator, v from pole to pole.
rgba_image paint_ball();
rgba_image paint_start();
rgba_image paint_finish();
// The chequered cloth of the flag on the target pad.
rgba_image paint_flag();
rgba_image paint_teleporter();
rgba_image paint_coin(const colour& metal);
rgba_image paint_infobox();
// Translucent: soft edges fade to nothing.
rgba_image paint_level_back();
