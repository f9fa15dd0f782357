#pragma once

// The in-game camera: hangs below the ball's scene node, so it follows the
// ball's position but not its rolling. Horizontal mouse movement turns it
// around the ball; each wheel notch moves a target height, kept between 40
// and 250, by the same distance at any frame rate, and the camera glides to
// it at constant speed without passing it. It owns the window's viewport during play and
// switches on the "Bloom" compositor there, unless the settings turn bloom off. The in-game state creates it
// after the level and deletes it before the level; it registers itself with
// the level, which hands it to the ball for its heading.

#include "input_listener.h"

#include <OgreVector.h>

#include <string>

struct game_context;
class level;
namespace Ogre {
class Camera;
class SceneNode;
class Viewport;
}

class game_camera {
public:
    game_camera(const std::string& name, level* owner, Ogre::SceneNode* target_node);
    ~game_camera();
    game_camera(const game_camera&) = delete;
    game_camera& operator=(const game_camera&) = delete;

    // Once per frame, from the input manager's mouse and the frame time.
    void update();
    // The steering of one frame, given the mouse and the time step.
    void steer(const mouse_state& mouse, float dt);

    Ogre::SceneNode* get_camera_node() const { return camera_node; }
    Ogre::Vector3 get_camera_position() const;
    float get_target_height() const { return target_position.y; }
    Ogre::Camera* get_camera() const { return camera; }

    void on_mouse_button(float, const mouse_state&) {}

private:
    // Toward the target height at constant speed; within a unit it stays.
    void glide(float dt);

    game_context* context;
    Ogre::Camera* camera = nullptr;
    Ogre::Viewport* viewport = nullptr;
    Ogre::SceneNode* camera_node = nullptr;
    // Carries the camera at its offset from camera_node; moving it moves the
    // camera, turning camera_node circles it around the ball.
    Ogre::SceneNode* eye_node = nullptr;
    Ogre::Vector3 target_position = Ogre::Vector3::ZERO;
    input_listener input;
    // mapscout's camera: high above, turning only, no wheel.
    bool scout = false;
};
