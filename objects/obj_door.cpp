#include "obj_door.h"

#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "colour_table.h"
#include "level/level.h"

#include <OgreEntity.h>
#include <OgreSceneNode.h>

#include <tinyxml.h>

obj_door::obj_door(level* owner, const TiXmlElement* element)
    : game_object(owner, element, true, "door.mesh", "")
{
    create_body(shape_desc::make_cube(0.5f, 15.0f, 10.0f));

    const char* open_mesh = element ? element->Attribute("open_mesh") : nullptr;
    open_body_name = owner->make_unique_name();
    shape_desc beam = shape_desc::make_cube(0.5f, 0.5f, 10.0f);
    beam.offset = Ogre::Vector3(0, 10, 0);
    actor_params fixed;
    fixed.is_static = true;
    open_body = owner->get_scene()->create_body(open_body_name, open_mesh ? open_mesh : "door_open.mesh", beam,
                                                {position, orientation}, fixed);

    int open_attribute = 0;
    if (element)
        element->QueryIntAttribute("open", &open_attribute);
    open = open_attribute != 0;
    apply_state();

    const door_colour c = colour_from_name(element ? element->Attribute("colour") : nullptr);
    colour = c.index;
    set_material(c.bars_material);
    if (Ogre::Entity* entity = get_entity(open_body))
        entity->setMaterialName(c.bars_material);
}

obj_door::~obj_door()
{
    remove();
}

void obj_door::apply_state()
{
    physics_body* shown = open ? open_body : actor;
    physics_body* hidden = open ? actor : open_body;
    shown->clear_actor_flag(AF_DISABLE_COLLISION);
    hidden->raise_actor_flag(AF_DISABLE_COLLISION);
    if (Ogre::SceneNode* node = get_scene_node(shown))
        node->setVisible(true, true);
    if (Ogre::SceneNode* node = get_scene_node(hidden))
        node->setVisible(false, true);
}

void obj_door::toggle(int switch_colour)
{
    if (colour != switch_colour && colour != white_colour && switch_colour != white_colour)
        return;
    open = !open;
    if (actor && open_body)
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
