#include "game_camera.h"

#include "game_context.h"
#include "input_manager.h"
// Upward on purpose: the camera registers itself with the level it follows.
#include "level/level.h"

#include <OgreCamera.h>
#include <OgreCompositorManager.h>
#include <OgreRenderSystem.h>
#include <OgreRenderSystemCapabilities.h>
#include <OgreRenderWindow.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>
#include <OgreViewport.h>

#include <boost/bind/bind.hpp>

#include <algorithm>
#include <cmath>

using namespace boost::placeholders;

namespace {

constexpr float lowest = 40.0f;
constexpr float highest = 250.0f;
// The mouse reports a wheel notch as 120 counts.
constexpr float counts_per_notch = 120.0f;
// How far one notch moves the target height, whatever the frame rate: the
// step a notch used to take at 60 frames a second.
constexpr float notch_height = 50.0f;
constexpr float glide_speed = 100.0f;
const Ogre::Vector3 wheel_direction(0, 1, 0.666f);
const Ogre::Vector3 glide_direction(0, 1, 0.66f);

}

game_camera::game_camera(const std::string& name, level* owner, Ogre::SceneNode* target_node)
    : context(owner->get_context()), input(name + "_input")
{
    Ogre::SceneManager* scene_manager = context->scene_manager;
    camera = scene_manager->createCamera(name);
    camera_node = target_node->createChildSceneNode(name + "_camera_node", Ogre::Vector3::ZERO,
                                                    Ogre::Quaternion::IDENTITY);
    // mapscout looks straight down on its probe from high above.
    scout = context->scout;
    eye_node = camera_node->createChildSceneNode(name + "_eye_node",
                                                 scout ? Ogre::Vector3(0, 300, 1) : Ogre::Vector3(0, 60, 40));
    eye_node->attachObject(camera);
    camera_node->setInheritOrientation(false);
    if (!scout)
        target_node->setInheritOrientation(false);
    eye_node->lookAt(Ogre::Vector3::ZERO, Ogre::Node::TS_PARENT);

    camera->setNearClipDistance(1.0f);
    Ogre::RenderSystem* renderer = context->root ? context->root->getRenderSystem() : nullptr;
    const bool infinite = renderer && renderer->getCapabilities() &&
                          renderer->getCapabilities()->hasCapability(Ogre::RSC_INFINITE_FAR_PLANE);
    camera->setFarClipDistance(infinite ? 0.0f : (scout ? 1000.0f : 500.0f));

    if (context->window) {
        viewport = context->window->addViewport(camera, 0, 0.0f, 0.0f, 1.0f, 1.0f);
        // The sky is the fog's colour, so the course's far end fades into it.
        viewport->setBackgroundColour(scene_manager->getFogMode() == Ogre::FOG_NONE
                                          ? Ogre::ColourValue::Black
                                          : scene_manager->getFogColour());
        camera->setAspectRatio(Ogre::Real(viewport->getActualWidth()) / Ogre::Real(viewport->getActualHeight()));
        if (context->settings.bloom) {
            Ogre::CompositorManager::getSingletonPtr()->addCompositor(viewport, "Bloom", -1);
            Ogre::CompositorManager::getSingletonPtr()->setCompositorEnabled(viewport, "Bloom", true);
        }
    }

    input.bind_mouse_button(MB_Left, boost::bind(&game_camera::on_mouse_button, this, _1, _2));
    context->input->add_listener(input);
    target_position = eye_node->getPosition();
    owner->set_camera(this);
}

game_camera::~game_camera()
{
    Ogre::SceneManager* scene_manager = context->scene_manager;
    scene_manager->destroyCamera(camera);
    if (viewport)
        context->window->removeViewport(viewport->getZOrder());
    scene_manager->destroySceneNode(eye_node);
    scene_manager->destroySceneNode(camera_node);
    context->input->remove_listener(input);
}

Ogre::Vector3 game_camera::get_camera_position() const
{
    return eye_node->getPosition();
}

void game_camera::update()
{
    steer(context->input->get_mouse_state(), context->frame_time);
}

void game_camera::steer(const mouse_state& mouse, float dt)
{
    camera_node->yaw(Ogre::Degree(-mouse.X.rel * 0.1f), Ogre::Node::TS_LOCAL);
    if (scout)
        return;

    if (mouse.Z.rel != 0)
        target_position += wheel_direction * (float(mouse.Z.rel) / counts_per_notch * notch_height);
    if (target_position.y < lowest)
        target_position.y = lowest + 1.0f;
    else if (target_position.y > highest)
        target_position.y = highest - 1.0f;
    glide(dt);
}

void game_camera::glide(float dt)
{
    const Ogre::Vector3 p = eye_node->getPosition();
    const float gap = target_position.y - p.y;
    if (std::fabs(gap) < 1.0f)
        return;
    // Never past the target: a long frame would otherwise carry the camera
    // beyond the height limits, from wherever it is.
    const float rise = std::copysign(std::min(std::fabs(gap), glide_speed * dt), gap);
    eye_node->setPosition(p + glide_direction * rise);
}
