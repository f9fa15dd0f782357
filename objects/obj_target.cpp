#include "obj_target.h"

#include "level/level.h"

obj_target::obj_target(level* owner, const TiXmlElement* element)
    : game_object(owner, element, true, "finish.mesh", "target")
{
    mesh = "finish.mesh";
    // Touched through its pad only: the flag above it is no obstacle.
    create_body(shape_desc::make_convex("finish_pad.mesh"));
}

obj_target::~obj_target()
{
    remove();
}

void obj_target::on_contact_start(game_object*)
{
    owner->set_completed(true);
}

void obj_target::on_level_loaded()
{
    pair_with_player(NOTIFY_ON_START_TOUCH);
}

void obj_target::on_remove()
{
    unpair_from_player();
}
