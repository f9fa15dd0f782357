#include "obj_ground.h"

#include "obj_player.h"

obj_ground::obj_ground(level* owner)
    : game_object(owner, nullptr, true, "ground.mesh", "ground")
{
    create_body(shape_desc::make_cube(1000.0f, 0.5f, 1000.0f));
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
