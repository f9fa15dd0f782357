#include "obj_teleporter.h"

obj_teleporter::obj_teleporter(level* owner, const TiXmlElement* element)
    : game_object(owner, element, true, "start.mesh", "")
{
    create_body(actor_params(), shape_desc::make_convex(mesh));
}

obj_teleporter::~obj_teleporter()
{
    remove();
}
