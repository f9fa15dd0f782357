#pragma once

// A shipped level seen from a slowly circling camera behind the title screen,
// the level selection and the options, in place of a plain backdrop. It is
// scenery only: no ball, no sound, no log lines of its own level, and a
// physics world of its own, so that nothing of it can meet the level that is
// played next. The setting `title_scenery` turns it off (Options, Video);
// switched while the menu shows, it comes or goes at once.
//
// The menu calls show() once it has made its viewport, update() every frame,
// and hide() before it leaves the scene to the in-game state; hide() frees
// the level, its bodies, lights and camera and gives the viewport back its
// own camera and colour. A still menu needs its picture drawn only a few
// times a second for the camera's slow round: frame_rate() says how often.

#include "app/game_context.h"
#include "app/null_sound_device.h"

#include <OgreColourValue.h>

#include <memory>
#include <string>

class level;
class orbit_path;
class physics_world;
namespace Ogre {
class Camera;
class SceneNode;
class Viewport;
}

class title_scenery {
public:
    // The level shown, by file name; the default is easy to change in title_scenery.cpp.
    static const std::string default_level;
    // How often the picture is drawn while nobody touches the menu.
    static constexpr int frames_per_second = 15;

    explicit title_scenery(game_context& context, std::string level_file = default_level);
    ~title_scenery();
    title_scenery(const title_scenery&) = delete;
    title_scenery& operator=(const title_scenery&) = delete;

    // Shows the level in `viewport` when the settings want it; null (tests):
    // the level and the camera without a picture.
    void show(Ogre::Viewport* viewport);
    void hide();
    // The camera goes on round the course, coins turn and platforms travel
    // by the context's frame time; a change of the setting takes effect.
    void update();
    bool is_shown() const { return shown != nullptr; }
    // 0 while nothing is shown.
    int frame_rate() const { return shown ? frames_per_second : 0; }
    Ogre::Camera* get_camera() const { return camera; }

private:
    void build();
    void tear_down();
    // The camera where the round has come to.
    void place_camera();

    game_context& menu_context;
    const std::string level_file;
    // The menu's own context but for a world, a silent sound device and
    // shadows off: what the scenery's level builds in.
    game_context scenery_context;
    std::unique_ptr<physics_world> world;
    null_sound_device silence;
    std::unique_ptr<level> shown;
    std::unique_ptr<orbit_path> path;
    Ogre::Camera* camera = nullptr;
    Ogre::SceneNode* camera_node = nullptr;
    // The viewport lent to the scenery, with the camera and colour it had.
    Ogre::Viewport* viewport = nullptr;
    Ogre::Camera* viewport_camera = nullptr;
    Ogre::ColourValue viewport_colour;
    // Whether show() was asked for: the setting may come on later.
    bool wanted = false;
    // The level could not be shown; the menu keeps its plain backdrop.
    bool broken = false;
    double seconds = 0.0;
};
