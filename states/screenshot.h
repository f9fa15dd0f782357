#pragma once

// Screenshots go to "<folder>/screenshot_<N>.png" in the player's screenshot
// folder (user_folders.h), N one more than the highest number already there, so that a new run,
// another state or mapscout never replaces an earlier picture.

#include <string>

namespace Ogre {
class RenderWindow;
}

// The name the next picture gets in `folder`: "<folder>/screenshot_<N>.png".
std::string next_screenshot_name(const std::string& folder);

// Writes the window's picture under the next free name in `folder`, creating
// the folder when it is missing. Returns the name, or an empty string (and a
// log line) when nothing was written; the game goes on either way.
std::string write_screenshot(Ogre::RenderWindow* window, const std::string& folder);
