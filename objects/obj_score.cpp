#include "obj_score.h"

obj_score::obj_score(level* owner, const TiXmlElement* element)
    : game_object(owner, element, false, "score.mesh", "")
{
    create_body(actor_params(), shape_desc::make_convex(mesh));
}

obj_score::~obj_score()
{
    remove();
}
