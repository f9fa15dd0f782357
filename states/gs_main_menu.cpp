#include "gs_main_menu.h"

#include "app/game_context.h"
#include "app/input_manager.h"

#include <OgreCamera.h>
#include <OgreRenderWindow.h>
#include <OgreSceneManager.h>
#include <OgreViewport.h>

#include <boost/bind/bind.hpp>

using namespace boost::placeholders;

gs_main_menu::gs_main_menu(game_context* context)
    : game_state(context, "main_menu"), input("gs_main_menu_input")
{
    input.bind_key(KC_ESCAPE, boost::bind(&gs_main_menu::quit, this, _1));
    input.bind_key(KC_RETURN, boost::bind(&gs_main_menu::quick_start, this, _1));
}

void gs_main_menu::setup_menu_camera()
{
    context->scene_manager->clearScene();
    context->scene_manager->destroyAllCameras();
    context->window->removeAllViewports();
    menu_camera = context->scene_manager->createCamera("main_menu_camera");
    Ogre::SceneNode* node = context->scene_manager->getRootSceneNode()->createChildSceneNode();
    node->attachObject(menu_camera);
    node->lookAt(Ogre::Vector3(1, 1, 1), Ogre::Node::TS_WORLD);
    menu_viewport = context->window->addViewport(menu_camera, 0, 0, 0, 1, 1);
    menu_viewport->setBackgroundColour(Ogre::ColourValue(1, 1, 1, 1));
    menu_camera->setAspectRatio(Ogre::Real(menu_viewport->getActualWidth()) /
                                Ogre::Real(menu_viewport->getActualHeight()));
    menu_camera->setNearClipDistance(0.5);
    menu_camera->setFarClipDistance(100);
}

void gs_main_menu::enter(const state_params&)
{
    setup_menu_camera();
    context->input->add_listener(input);
}

void gs_main_menu::resume()
{
    setup_menu_camera();
    context->input->add_listener(input);
}

void gs_main_menu::pause()
{
    leave();
}

void gs_main_menu::exit()
{
    leave();
}

void gs_main_menu::leave()
{
    context->scene_manager->destroyAllCameras();
    context->window->removeAllViewports();
    context->input->remove_listener(input);
    context->scene_manager->clearScene();
}

void gs_main_menu::update() {}

void gs_main_menu::quit(float)
{
    running = false;
}

void gs_main_menu::quick_start(float)
{
    transition_requested = true;
    next_state = "game";
    transition_push = true;
    params["level"] = std::string("level_01.map");
    params["gui"] = gui;
}
