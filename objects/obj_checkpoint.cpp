#include "obj_checkpoint.h"

#include "obj_player.h"

#include "level/level.h"

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
    static_cast<obj_player*>(other)->set_respawn_point(get_position() + Ogre::Vector3(0, 10, 0));
    owner->report({level_event::checkpoint, get_id()});
}

void obj_checkpoint::on_level_loaded()
{
    pair_with_player(NOTIFY_ON_START_TOUCH);
}

void obj_checkpoint::on_remove()
{
    unpair_from_player();
}
