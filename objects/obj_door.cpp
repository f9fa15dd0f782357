#include "obj_door.h"

obj_door::obj_door(level* owner, const TiXmlElement* element)
    : game_object(owner, element, true, "door.mesh", "")
{
    create_body(actor_params(), shape_desc::make_convex(mesh));
}

obj_door::~obj_door()
{
    remove();
}
