#include "title_scenery.h"

#include "app/log.h"
#include "app/physics/physics_world.h"
#include "level/game_object.h"
#include "level/level.h"
#include "level/look_materials.h"
#include "objects/obj_player.h"
#include "orbit_path.h"
#include "states/campaign_object.h"

#include <OgreCamera.h>
#include <OgreLog.h>
#include <OgreLogManager.h>
#include <OgreSceneManager.h>
#include <OgreSceneNode.h>
#include <OgreViewport.h>

#include <algorithm>

// The Grand Tour's night garden: long, lit in colour, with coins and
// platforms that move. Any level file of the game can stand here.
const std::string title_scenery::default_level = "level_10.map";

namespace {

// One round of the camera, in seconds: slow enough to be calm, quick enough
// to be seen moving.
constexpr float round_seconds = 150.0f;
// A frame that took longer (the level's own loading) moves nothing further.
constexpr float longest_step = 0.1f;

// While it lives, only warnings and errors reach the log: a level logs a line
// for every object it builds, and the title would write them at every visit.
class quiet_log {
public:
    quiet_log() : log(Ogre::LogManager::getSingleton().getDefaultLog())
    {
        if (log) {
            detail = log->getLogDetail();
            log->setLogDetail(Ogre::LL_LOW);
        }
    }
    ~quiet_log()
    {
        if (log)
            log->setLogDetail(detail);
    }
    quiet_log(const quiet_log&) = delete;
    quiet_log& operator=(const quiet_log&) = delete;

private:
    Ogre::Log* log;
    Ogre::LoggingLevel detail = Ogre::LL_NORMAL;
};

}

title_scenery::title_scenery(game_context& context, std::string level_file)
    : menu_context(context), level_file(std::move(level_file)), world(std::make_unique<physics_world>())
{
}

title_scenery::~title_scenery()
{
    tear_down();
}

void title_scenery::show(Ogre::Viewport* given)
{
    wanted = true;
    viewport = given;
    if (menu_context.settings.title_scenery && !broken)
        build();
}

void title_scenery::hide()
{
    wanted = false;
    tear_down();
    viewport = nullptr;
}

void title_scenery::build()
{
    scenery_context = menu_context;
    scenery_context.world = world.get();
    scenery_context.sound = &silence;
    // Shadows cost the most of a frame and show least from far above.
    scenery_context.settings.shadows = false;
    menu_context.scene_manager->setShadowTechnique(Ogre::SHADOWTYPE_NONE);
    {
        quiet_log quiet;
        // The level wears its campaign's look, as when it is played.
        look_materials::apply(campaign_object::ground_of(level_file, "media/levels/campaigns.cmp"));
        shown = std::make_unique<level>(level_file, &scenery_context, nullptr);
    }
    obj_player* ball = shown->get_player();
    if (!ball) {
        log_line("The title screen shows its plain backdrop: " + level_file + shown->get_load_problem());
        // Tried once a run: a level that cannot be shown is not read again at every frame.
        broken = true;
        tear_down();
        return;
    }
    // Nobody plays the scenery: the ball goes before it listens to a key.
    ball->remove();
    Ogre::Vector3 least(0, 0, 0), most(0, 0, 0);
    bool first = true;
    for (const auto& [id, object] : shown->get_objects()) {
        const std::string kind = object->type_name();
        if (object->is_removed() || kind == "ground" || kind == "player")
            continue;
        const Ogre::Vector3 at = object->get_position();
        least = first ? at : Ogre::Vector3(std::min(least.x, at.x), std::min(least.y, at.y), std::min(least.z, at.z));
        most = first ? at : Ogre::Vector3(std::max(most.x, at.x), std::max(most.y, at.y), std::max(most.z, at.z));
        first = false;
    }
    path = std::make_unique<orbit_path>(least, most, round_seconds);
    Ogre::SceneManager* scene_manager = menu_context.scene_manager;
    camera = scene_manager->createCamera("title_scenery_camera");
    camera_node = scene_manager->getRootSceneNode()->createChildSceneNode();
    camera_node->attachObject(camera);
    // The horizon stays level however the camera turns.
    camera_node->setFixedYawAxis(true);
    camera->setNearClipDistance(1.0f);
    camera->setFarClipDistance(2000.0f);
    camera->setAutoAspectRatio(true);
    place_camera();
    if (viewport) {
        viewport_camera = viewport->getCamera();
        viewport_colour = viewport->getBackgroundColour();
        viewport->setCamera(camera);
        // Beyond the fog the sky is the fog's colour.
        viewport->setBackgroundColour(scene_manager->getFogMode() == Ogre::FOG_NONE ? Ogre::ColourValue::Black
                                                                                  : scene_manager->getFogColour());
    }
    log_line("The title screen shows " + level_file + " behind its menus");
}

void title_scenery::tear_down()
{
    if (viewport && viewport_camera) {
        viewport->setCamera(viewport_camera);
        viewport->setBackgroundColour(viewport_colour);
    }
    viewport_camera = nullptr;
    if (camera) {
        menu_context.scene_manager->destroyCamera(camera);
        menu_context.scene_manager->destroySceneNode(camera_node);
    }
    camera = nullptr;
    camera_node = nullptr;
    path.reset();
    shown.reset();
}

void title_scenery::update()
{
    const bool on = wanted && !broken && menu_context.settings.title_scenery;
    if (on && !shown)
        build();
    else if (!on && shown)
        tear_down();
    if (!shown)
        return;
    const float step = std::min(menu_context.frame_time, longest_step);
    seconds += step;
    scenery_context.frame_time = step;
    shown->update();
    world->simulate(step);
    world->render(step);
    place_camera();
}

void title_scenery::place_camera()
{
    camera_node->setPosition(path->eye(seconds));
    camera_node->lookAt(path->target(), Ogre::Node::TS_WORLD);
}
