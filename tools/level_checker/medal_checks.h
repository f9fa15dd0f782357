#pragma once

// Checks the medal times on a campaign index's <Level>: gold, silver and
// bronze all given or none, each a time in seconds the game reads, rising
// from gold to bronze. When the level's author run lies in the runs folder
// beside the index's folder (media/runs/ beside media/levels/), it must be a
// readable run of this level as its file is now, and the times must be the
// ones it sets. The game shows no medals for a level whose times are broken.

#include <string>

class TiXmlElement;
class element_checks;

class medal_checks {
public:
    // level_file: the file name the entry gives, when the level is in the
    // index's `folder`; empty when it is not (no run is looked for then).
    static void check(element_checks& checks, const TiXmlElement* entry, const std::string& folder,
                      const std::string& level_file);
};
