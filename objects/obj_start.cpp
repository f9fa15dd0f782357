#include "obj_start.h"

obj_start::obj_start(level* owner, const TiXmlElement* element)
    : game_object(owner, element, true, "start.mesh", "start")
{
    create_body(shape_desc::make_convex(mesh));
}

obj_start::~obj_start()
{
    remove();
}
