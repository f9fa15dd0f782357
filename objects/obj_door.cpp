#include "obj_door.h"

#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "colour_table.h"
#include "level/level.h"

#include <OgreEntity.h>

#include <tinyxml.h>

obj_door::obj_door(level* owner, const TiXmlElement* element)
    : game_object(owner, element, true, "door.mesh", "")
{
    create_body(shape_desc::make_cube(0.5f, 15.0f, 10.0f));

    const door_colour c = colour_from_name(element ? element->Attribute("colour") : nullptr);
    colour = c.index;
    set_material(c.bars_material);
    if (const char* open_mesh = element ? element->Attribute("open_mesh") : nullptr) {
        actor_params fixed;
        fixed.is_static = true;
        open_body = owner->get_scene()->create_body(owner->make_unique_name(), open_mesh,
                                                    shape_desc::make_convex(open_mesh), {position, orientation}, fixed);
        if (Ogre::Entity* entity = get_entity(open_body))
            entity->setMaterialName(c.bars_material);
    }

    int open_attribute = 0;
    if (element)
        element->QueryIntAttribute("open", &open_attribute);
    open = open_attribute != 0;
    apply_state();
}

obj_door::~obj_door()
{
    remove();
}

void obj_door::apply_state()
{
    set_present(actor, !open);
    set_present(open_body, open);
}

void obj_door::toggle(int switch_colour)
{
    if (colour != switch_colour && colour != white_colour && switch_colour != white_colour)
        return;
    open = !open;
    if (actor)
        apply_state();
}

void obj_door::on_remove()
{
    if (!open_body)
        return;
    open_body->disable();
    owner->get_scene()->destroy_body(open_body);
    open_body = nullptr;
}
