#include "obj_info.h"

obj_info::obj_info(level* owner, const TiXmlElement* element)
    : game_object(owner, element, true, "infobox.mesh", "")
{
    create_body(actor_params(), shape_desc::make_convex(mesh));
}

obj_info::~obj_info()
{
    remove();
}
