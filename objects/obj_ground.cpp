#include "obj_ground.h"

#include "app/game_context.h"
#include "obj_player.h"

#include <OgreEntity.h>
#include <OgreRenderQueue.h>
#include <OgreSceneManager.h>

namespace {

// The ground is drawn after the course, so that only what shows of it is
// shaded, and in one pass with every light: no shadow ever falls on it that
// could be seen, and the shadowed course's ambient, per-light and texture
// passes cost five times a plain one over the most of the screen it covers.
constexpr Ogre::uint8 ground_queue = Ogre::RENDER_QUEUE_6;

}

obj_ground::obj_ground(level* owner)
    : game_object(owner, nullptr, true, "ground.mesh", "ground")
{
    create_body(shape_desc::make_cube(1000.0f, 0.5f, 1000.0f));
    if (Ogre::Entity* entity = get_entity()) {
        entity->setRenderQueueGroup(ground_queue);
        entity->setCastShadows(false);
        context->scene_manager->getRenderQueue()->getQueueGroup(ground_queue)->setShadowsEnabled(false);
    }
}

obj_ground::~obj_ground()
{
    remove();
}

void obj_ground::on_contact_start(game_object* other)
{
    if (other->type_name() == "player")
        static_cast<obj_player*>(other)->respawn();
}

void obj_ground::on_level_loaded()
{
    pair_with_player(NOTIFY_ON_START_TOUCH);
}

void obj_ground::on_remove()
{
    unpair_from_player();
}
