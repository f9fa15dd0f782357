#include "obj_checkpoint.h"

#include "level/level.h"
#include "obj_player.h"

obj_checkpoint::obj_checkpoint(level* owner, const TiXmlElement* element)
    : game_object(owner, element, true, "start.mesh", "")
{
    create_body(shape_desc::make_convex(mesh));
}

obj_checkpoint::~obj_checkpoint()
{
    remove();
}

void obj_checkpoint::on_contact_start(game_object* other)
{
    if (other->type_name() != "player")
        return;
    auto* ball = static_cast<obj_player*>(other);
    // Rolling over the checkpoint the ball already comes back to says nothing new.
    if (ball->get_respawn_object() == get_id() && ball->get_respawn_point() == get_position() + Ogre::Vector3(0, 10, 0))
        return;
    ball->set_respawn_point(get_position() + Ogre::Vector3(0, 10, 0), get_id());
    owner->report({level_event::checkpoint, get_id(), get_position()});
}

void obj_checkpoint::on_level_loaded()
{
    pair_with_player(NOTIFY_ON_START_TOUCH);
}

void obj_checkpoint::on_remove()
{
    unpair_from_player();
}
