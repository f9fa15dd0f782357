#include "gs_test.h"

#include "app/game_context.h"
#include "app/input_manager.h"

#include <OgreCamera.h>
#include <OgreRenderWindow.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>
#include <OgreViewport.h>

#include <boost/bind/bind.hpp>

using namespace boost::placeholders;

gs_test::gs_test(game_context* context)
    : game_state(context, "test"), input("test_input")
{
    input.bind_key(KC_ESCAPE, boost::bind(&gs_test::quit, this, _1));
    input.bind_key(KC_RETURN, boost::bind(&gs_test::start_level, this, _1));
}

void gs_test::enter(const state_params&)
{
    show();
}

void gs_test::resume()
{
    show();
}

void gs_test::pause()
{
    hide();
}

void gs_test::exit()
{
    hide();
}

void gs_test::show()
{
    Ogre::SceneManager* scene_manager = context->scene_manager;
    menu_camera = scene_manager->createCamera("main_menu_camera");
    menu_node = scene_manager->getRootSceneNode()->createChildSceneNode();
    menu_node->attachObject(menu_camera);
    menu_node->lookAt(Ogre::Vector3(1, 1, 1), Ogre::Node::TS_WORLD);
    menu_camera->setNearClipDistance(0.5);
    menu_camera->setFarClipDistance(100);
    if (context->window) {
        menu_viewport = context->window->addViewport(menu_camera, 0, 0, 0, 1, 1);
        menu_viewport->setBackgroundColour(Ogre::ColourValue(1, 1, 1, 1));
        menu_camera->setAspectRatio(Ogre::Real(menu_viewport->getActualWidth()) /
                                    Ogre::Real(menu_viewport->getActualHeight()));
    }
    context->input->add_listener(input);
}

void gs_test::hide()
{
    context->scene_manager->destroyAllCameras();
    // Each visit makes its own node; leaving one behind would grow the scene.
    if (menu_node)
        context->scene_manager->destroySceneNode(menu_node);
    menu_node = nullptr;
    if (context->window)
        context->window->removeAllViewports();
    context->input->remove_last_listener();
}

void gs_test::quit(float)
{
    running = false;
}

void gs_test::start_level(float)
{
    transition_requested = true;
    next_state = "game";
    transition_push = true;
    params["level"] = std::string("level_01.map");
}
