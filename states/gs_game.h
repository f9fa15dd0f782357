#pragma once

// The in-game state, registered as "game": plays one level. Tab ends it.

#include "app/game_state.h"
#include "app/input_listener.h"

class gs_game : public game_state {
public:
    explicit gs_game(game_context* context);

    void enter(const state_params& params) override;
    void pause() override;
    void resume() override;
    void exit() override;
    void update() override;

private:
    void end_state(float);

    input_listener input;
};
