#pragma once

// Which control an arrow key moves to, by where the controls stand on
// screen: the nearest one in that direction, preferring one in line with the
// current control over one far off to the side. Kept apart from the GUI so
// the rule can be checked on plain rectangles.

#include <vector>

struct menu_rect {
    int left, top, width, height;
};

enum class menu_direction { up, down, left, right };

// The index in `controls` to move to from `current` (-1: none yet, which
// gives the top-left control), or `current` when nothing lies that way.
int menu_step(const std::vector<menu_rect>& controls, int current, menu_direction direction);
