#include "gs_game.h"

#include "app/game_camera.h"
#include "app/game_context.h"
#include "app/input_manager.h"
#include "app/log.h"
#include "app/physics/physics_world.h"
#include "level/level.h"
#include "objects/obj_player.h"

#include <OgreRenderWindow.h>
#include <OgreSceneManager.h>

#include <boost/bind/bind.hpp>

using namespace boost::placeholders;

gs_game::gs_game(game_context* context)
    : game_state(context, "game"), input("gs_game_input")
{
    input.bind_key(KC_TAB, boost::bind(&gs_game::end_state, this, _1));
}

gs_game::~gs_game() = default;

void gs_game::enter(const state_params& params)
{
    paused = false;
    const std::string file = param_or<std::string>(params, "level", "");
    if (!load_level(file)) {
        // A level without a ball cannot be played: leave it again.
        log_line(file + ": Das Level enthält keine Kugel und kann nicht gespielt werden");
        running = false;
        return;
    }
    context->input->add_listener(input);
    context->input->set_mouse_captured(true);
}

bool gs_game::load_level(const std::string& file)
{
    current_level = std::make_unique<level>(file, context, gui);
    if (!current_level->get_player())
        return false;
    camera = std::make_unique<game_camera>("game_cam", current_level.get(),
                                           current_level->get_player()->get_scene_node());
    return true;
}

void gs_game::update()
{
    if (paused || !current_level || !camera || current_level->is_completed())
        return;
    current_level->update();
    camera->update();
    context->world->simulate(context->frame_time);
    context->world->render(context->frame_time);
}

void gs_game::exit()
{
    camera.reset();
    current_level.reset();
    context->scene_manager->destroyAllCameras();
    context->window->removeAllViewports();
    context->input->remove_listener(input);
    context->input->set_mouse_captured(false);
    context->world->destroy_all_scenes();
}

void gs_game::pause()
{
    camera.reset();
    context->scene_manager->destroyAllCameras();
    context->window->removeAllViewports();
    context->input->remove_listener(input);
    context->input->set_mouse_captured(false);
}

void gs_game::resume()
{
    if (current_level && current_level->get_player())
        camera = std::make_unique<game_camera>("game_cam", current_level.get(),
                                               current_level->get_player()->get_scene_node());
    context->input->add_listener(input);
    context->input->set_mouse_captured(true);
}

void gs_game::end_state(float)
{
    running = false;
}
