#include "obj_switch.h"

#include "colour_table.h"
#include "level/level.h"
#include "obj_door.h"

#include <tinyxml.h>

obj_switch::obj_switch(level* owner, const TiXmlElement* element)
    : game_object(owner, element, true, "switch.mesh", "")
{
    create_body(shape_desc::make_cube(0.5f, 10.0f, 10.0f));
    int pressed_attribute = 0;
    if (element)
        element->QueryIntAttribute("pressed", &pressed_attribute);
    pressed = pressed_attribute != 0;
    const door_colour c = colour_from_name(element ? element->Attribute("colour") : nullptr);
    colour = c.index;
    bars_material = c.bars_material;
    pressed_material = c.pressed_material;
    set_material(bars_material);
}

obj_switch::~obj_switch()
{
    remove();
}

void obj_switch::on_contact_start(game_object*)
{
    pressed = !pressed;
    for (const auto& entry : owner->get_objects())
        if (entry.second->type_name() == "door")
            static_cast<obj_door*>(entry.second)->toggle(colour);
    set_material(pressed ? pressed_material : bars_material);
    owner->report({level_event::door, get_id(), get_position()});
}

void obj_switch::on_level_loaded()
{
    pair_with_player(NOTIFY_ON_START_TOUCH);
}

void obj_switch::on_remove()
{
    unpair_from_player();
}
