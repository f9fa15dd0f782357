#pragma once

// The default level preview test_level_pre.png (320 x 240): a course of tiles
// seen from above, winding from a start pad past coins to a chequered goal.
// The level selection shows it for levels without a picture of their own.

#include "rgba_image.h"

rgba_image paint_default_preview();
