#pragma once

// Writes the window's picture to "screenshots/screenshot_<number>.png",
// creating the folder when it is missing. A failed write is logged, never
// fatal.

namespace Ogre {
class RenderWindow;
}

void write_screenshot(Ogre::RenderWindow* window, int number);
