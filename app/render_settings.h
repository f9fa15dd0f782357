#pragma once

// Checks the render settings read from config.cfg before a window is made
// from them: OGRE takes most values as they stand, and a video mode X cannot
// make ends the process inside Xlib (or worse) instead of failing cleanly.

#include <OgreConfigOptionMap.h>

#include <string>

// What is wrong with the settings, for the player to read; empty when nothing.
std::string render_settings_problem(const Ogre::ConfigOptionMap& options);
