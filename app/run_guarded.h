#pragma once

// Runs the program's one application and returns the description of an error
// that ended it, empty when it ended normally. The text is taken before the
// application is torn down: an OGRE exception may point into a plug-in that
// teardown unloads.

#include <functional>
#include <string>

class application;

std::string run_guarded(const std::function<void(application&)>& run);
