#pragma once

// The first state of the game, registered as "main_menu": a plain white
// screen behind the menus. Escape leaves it, which ends the program when it is
// the only state; Return starts the first level at once.

#include "app/game_state.h"
#include "app/input_listener.h"

namespace Ogre {
class Camera;
class Viewport;
}

class gs_main_menu : public game_state {
public:
    explicit gs_main_menu(game_context* context);

    void enter(const state_params& params) override;
    void pause() override;
    void resume() override;
    void exit() override;
    void update() override;

private:
    void setup_menu_camera();
    void leave();
    void quit(float);
    void quick_start(float);

    Ogre::Camera* menu_camera = nullptr;
    Ogre::Viewport* menu_viewport = nullptr;
    input_listener input;
};
