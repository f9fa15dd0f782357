#include "gs_game.h"

#include "app/game_context.h"
#include "app/input_manager.h"

#include <boost/bind/bind.hpp>

using namespace boost::placeholders;

gs_game::gs_game(game_context* context)
    : game_state(context, "game"), input("gs_game_input")
{
    input.bind_key(KC_TAB, boost::bind(&gs_game::end_state, this, _1));
}

void gs_game::enter(const state_params&)
{
    context->input->add_listener(input);
}

void gs_game::pause()
{
    context->input->remove_listener(input);
}

void gs_game::resume()
{
    context->input->add_listener(input);
}

void gs_game::exit()
{
    context->input->remove_listener(input);
}

void gs_game::update() {}

void gs_game::end_state(float)
{
    running = false;
}
