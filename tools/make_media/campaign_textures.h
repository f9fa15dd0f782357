#pragma once

// The block and ground pictures of the campaign looks other than the first
// campaign's grey stone on green (block.png, ground.png): each campaign's
// course is built of its own stone over its own floor.

#include "rgba_image.h"

rgba_image paint_block_foundry();
rgba_image paint_ground_foundry();
rgba_image paint_block_glacier();
rgba_image paint_ground_glacier();
rgba_image paint_block_sandstone();
rgba_image paint_ground_sandstone();
