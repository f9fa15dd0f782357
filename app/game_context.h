#pragma once

// The engine services every state, the level, each level object and the camera
// reach through one record. The application fills it once after set-up and
// never replaces it, so the pointers stay valid for the whole run. The record
// owns nothing; frame_time is the time step of the current frame in seconds.

#include "game_settings.h"

#include <string>
#include <vector>

namespace Ogre {
class Root;
class SceneManager;
class RenderWindow;
}
class physics_world;
class input_manager;
class sound_device;
class settings_store;
class window_mode;
class online_service;

struct game_context {
    Ogre::Root* root = nullptr;
    Ogre::SceneManager* scene_manager = nullptr;
    Ogre::RenderWindow* window = nullptr;
    physics_world* world = nullptr;
    input_manager* input = nullptr;
    sound_device* sound = nullptr;
    float frame_time = 0.0f;
    // mapscout's view of a level: the ball is a free-flying, invisible probe
    // seen from high above, platforms are not snapped onto their waypoints,
    // coins stand still and are worth 10, no music plays and fog is fixed.
    // Every place that reads this setting is a mapscout difference.
    bool scout = false;
    // Where Print Screen writes its pictures (the player's data folder).
    std::string screenshot_folder = "screenshots";
    // The GUI library's own log, beside ogre.log: an installed game's working
    // folder is its read-only data.
    std::string gui_log_file = "MyGUI.log";
    // Where best times and best runs are kept; empty keeps nothing (tests).
    std::string progress_folder;
    // The player's settings, read once before any state starts; the options
    // screen changes them and writes them through settings_file (null: kept
    // for this run only, as in tests).
    game_settings settings;
    settings_store* settings_file = nullptr;
    // Changes the window's size and full screen while the game runs (null in tests).
    window_mode* window_changer = nullptr;
    // The window this run made, and the sizes the options screen offers.
    std::string window_size_now;
    bool fullscreen_now = false;
    std::vector<std::string> window_sizes;
    // Leaderboards and world records (null in tests and mapscout).
    online_service* online = nullptr;
};
