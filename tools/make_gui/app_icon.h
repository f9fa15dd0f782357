#pragma once

// The game's icon for desktop menus: the blue ball with its amber band on a
// navy tile with an amber rim, in the title screen's colours. The PNG sizes
// and the SVG are drawn from the same proportions, so the menu shows the same
// picture at every size.

#include "rgba_image.h"

#include <string>

// The icon as a size by size picture.
rgba_image paint_app_icon(int size);
// The same icon as an SVG document (256 units square).
std::string app_icon_svg();
