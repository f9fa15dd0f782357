#pragma once

// mapscout's loop for level authors: edit, save, look, fix. The level file
// and the meshes and material scripts the level shows are watched; when one changes (or R asks),
// the level is built again if the file can be built at all, and the probe
// keeps its place and view. A file that cannot be built (saved half-way, or
// broken) leaves the last good level on screen. What the level checker finds
// stays listed on screen, and in the log, until it is fixed.

#include "file_watch.h"
#include "media_reload.h"
#include "problem_panel.h"

#include <OgreQuaternion.h>
#include <OgreVector.h>

#include <string>

struct game_context;

class scout_reload {
public:
    // Where the probe was and where the view looked, for the level built again.
    struct view {
        bool kept = false;
        Ogre::Vector3 probe = Ogre::Vector3::ZERO;
        Ogre::Quaternion heading = Ogre::Quaternion::IDENTITY;
    };

    // `path`: the level file as the loader reads it.
    scout_reload(game_context& context, std::string path, MyGUI::Gui* gui = nullptr);

    // After each build of the level: its problems shown, its files watched.
    void loaded();
    // Once a frame: true when the level is to be built again now.
    bool update(float dt);
    // True when the file can be built now; otherwise why not is shown.
    bool buildable();

    const problem_panel& get_panel() const { return panel; }
    MyGUI::Gui* get_gui() const { return panel.get_gui(); }

private:
    // Says why the level on screen stays (the problems, or else `why`); false.
    bool keep_level(const std::string& why, const std::vector<std::string>& problems);

    game_context& context;
    std::string path;
    file_watch watch;
    problem_panel panel;
    media_reload media;
};
