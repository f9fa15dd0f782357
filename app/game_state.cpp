#include "game_state.h"

#include "application.h"
#include "log.h"

game_state::game_state(game_context* context, std::string name)
    : context(context)
{
    log_line("***Spielzustand " + name + " wird initialisiert***");
    application::instance()->register_state(name, this);
}

void game_state::enter(const state_params&) {}
void game_state::pause() {}
void game_state::resume() {}
void game_state::exit() {}
void game_state::update() {}
bool game_state::is_still() const { return false; }
void game_state::focus_lost() {}

bool game_state::get_transition(std::string& name, bool& push)
{
    if (!transition_requested)
        return false;
    name = next_state;
    push = transition_push;
    transition_requested = false;
    return true;
}
