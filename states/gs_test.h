#pragma once

// A bare state for trying things out, registered as "test": a white screen
// where Escape leaves and Return pushes the in-game state on level_01.map.
// Neither program constructs it. It passes no GUI, so the in-game state plays
// that level without display or menu.

#include "app/game_state.h"
#include "app/input_listener.h"

namespace Ogre {
class Camera;
class SceneNode;
class Viewport;
}

class gs_test : public game_state {
public:
    explicit gs_test(game_context* context);

    void enter(const state_params& params) override;
    void pause() override;
    void resume() override;
    void exit() override;
    void update() override {}

private:
    void show();
    void hide();
    void quit(float);
    void start_level(float);

    Ogre::Camera* menu_camera = nullptr;
    Ogre::SceneNode* menu_node = nullptr;
    Ogre::Viewport* menu_viewport = nullptr;
    input_listener input;
};
