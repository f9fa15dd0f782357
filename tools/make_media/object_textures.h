#pragma once

// Painters for the things on a course: the ball, the start, checkpoint and
// target pads, the target's flag, the teleporter, coins, info boxes, and the
// dark banner behind level texts.
// Each returns a finished picture; none touches OGRE.

#include "rgba_image.h"

// Wrapped round a sphere: u around the equator, v from pole to pole.
rgba_image paint_ball();
rgba_image paint_start();
// A checkpoint pad: a flag emblem inside a ring. The colours say whether the
// ball has reached it: greys before, a lit colour after.
struct pad_colours {
    colour field;
    colour ring;
    colour emblem;
};
rgba_image paint_checkpoint(const pad_colours& colours);
// Added over the newest checkpoint's pad: a soft ring of light on black,
// which adds nothing.
rgba_image paint_checkpoint_glow();
rgba_image paint_finish();
// The chequered cloth of the flag on the target pad.
rgba_image paint_flag();
rgba_image paint_teleporter();
rgba_image paint_coin(const colour& metal);
rgba_image paint_infobox();
// Translucent: soft edges fade to nothing.
rgba_image paint_level_back();
