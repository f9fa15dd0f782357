#pragma once

// The skin atlas quillax_gui.png: every frame, state and icon the GUI skins in
// media/gui cut out of one texture. The rectangles here and the offsets in
// media/gui/quillax_skins.xml must agree: the skin file was written from
// gui_atlas_regions(), so a region that moves here must move there too.

#include "rgba_image.h"

#include <string>
#include <vector>

struct atlas_region {
    std::string name;
    int x, y, w, h;
};

const std::vector<atlas_region>& gui_atlas_regions();
int gui_atlas_width();
int gui_atlas_height();

rgba_image paint_gui_atlas();
// A 32 x 32 arrow with a dark rim and a soft shadow, hot spot at (2, 2).
rgba_image paint_gui_pointer();
