#pragma once

// How many pictures a second the display shows, asked of the X server's
// RandR extension for the screen of `window`. 60 when the server cannot say
// (no RandR, no window, or a rate of 0 as virtual screens report).

namespace Ogre {
class RenderWindow;
}

int display_rate(Ogre::RenderWindow* window);
