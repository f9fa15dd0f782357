#pragma once

// The in-game state, registered as "game": plays one level. Entering builds
// the level named by the "level" parameter and the camera that follows the
// ball; every frame advances the level, the camera and the physics until the
// target is reached. Tab ends the state.

#include "app/game_state.h"
#include "app/input_listener.h"

#include <memory>
#include <string>

class game_camera;
class level;

class gs_game : public game_state {
public:
    explicit gs_game(game_context* context);
    ~gs_game() override;

    void enter(const state_params& params) override;
    void pause() override;
    void resume() override;
    void exit() override;
    void update() override;

    level* get_level() const { return current_level.get(); }

private:
    // Builds the level and its camera; false when the level has no ball.
    bool load_level(const std::string& file);
    void end_state(float);

    std::unique_ptr<game_camera> camera;
    std::unique_ptr<level> current_level;
    input_listener input;
};
