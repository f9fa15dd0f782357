#include "obj_switch.h"

obj_switch::obj_switch(level* owner, const TiXmlElement* element)
    : game_object(owner, element, true, "switch.mesh", "")
{
    create_body(actor_params(), shape_desc::make_convex(mesh));
}

obj_switch::~obj_switch()
{
    remove();
}
