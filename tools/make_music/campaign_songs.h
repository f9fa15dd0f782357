#pragma once

// The songs of the later campaigns: three for the foundry's levels, three
// for the glacier's, each set in its own sound so the campaigns are told apart
// by ear as well as by eye.

#include "song_style.h"

#include <vector>

std::vector<song_style> campaign_songs();
