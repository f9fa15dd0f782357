#include "obj_platform.h"

obj_platform::obj_platform(level* owner, const TiXmlElement* element)
    : game_object(owner, element, false, "block_2_2.mesh", "")
{
    create_body(actor_params(), shape_desc::make_convex(mesh));
}

obj_platform::~obj_platform()
{
    remove();
}
