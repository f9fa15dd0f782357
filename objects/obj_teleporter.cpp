#include "obj_teleporter.h"

#include "app/physics/physics_body.h"
#include "level/level.h"
#include "level/level_values.h"
#include "obj_player.h"

#include <tinyxml.h>

obj_teleporter::obj_teleporter(level* owner, const TiXmlElement* element)
    : trigger_object(owner, element, true, "start.mesh", "")
{
    create_body(shape_desc::make_convex(mesh));
    if (const char* pos = element ? element->Attribute("target_pos") : nullptr)
        target_position = parse_vector(pos) + Ogre::Vector3(0, 5, 0);
    else if (const char* target = element ? element->Attribute("target_id") : nullptr)
        target_id = target;
    set_material("teleporter");
    create_trigger(Ogre::Vector3(3.0f, 10.0f, 3.0f));
}

obj_teleporter::~obj_teleporter()
{
    remove();
}

void obj_teleporter::on_remove()
{
    destroy_trigger();
}

void obj_teleporter::on_inside(physics_trigger&, physics_body& body)
{
    if (disarmed)
        return;
    game_object* arrival = object_of(body);
    if (!arrival || !arrival->get_actor())
        return;
    if (!target_id.empty()) {
        if (game_object* destination = owner->find_object(target_id)) {
            target_position = destination->get_position() + Ogre::Vector3(0, 5, 0);
            if (destination->type_name() == "teleporter")
                static_cast<obj_teleporter*>(destination)->disarm();
        }
    }
    physics_body* moved = arrival->get_actor();
    moved->set_position(target_position);
    moved->set_angular_velocity(Ogre::Vector3::ZERO);
    moved->set_linear_velocity(Ogre::Vector3::ZERO);
    if (arrival->type_name() == "player")
        static_cast<obj_player*>(arrival)->set_fall_reference_height(target_position.y - 5.0f);
    owner->report({level_event::teleport, get_id(), target_position});
}

void obj_teleporter::on_leave(physics_trigger&, physics_body&)
{
    disarmed = false;
}
