#pragma once

// Pictures for the Help page where no texture of the course says enough on
// its own. Each returns a finished picture; none touches OGRE.

#include "rgba_image.h"

// The four door colours, each on a plate with its shape (red circle, blue
// square, green triangle, white star), as doors and switches show them in
// play: one picture says that colour and shape go together.
rgba_image paint_help_doors();

// A crate in the cracked tile push blocks wear in play, bevelled like a box,
// with an arrow across it: the block that moves when the ball shoves it.
rgba_image paint_help_crate();
