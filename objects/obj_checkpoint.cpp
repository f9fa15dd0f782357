#include "obj_checkpoint.h"

#include "level/level.h"
#include "obj_player.h"

#include <OgreEntity.h>
#include <OgreSubEntity.h>

#include <tinyxml.h>

namespace {

// The mesh with the flag, whose first part is the pad.
const char* const flagged_mesh = "checkpoint.mesh";

const char* material_of(obj_checkpoint::look look)
{
    switch (look) {
    case obj_checkpoint::look::unreached:
        return "checkpoint";
    case obj_checkpoint::look::reached:
        return "checkpoint_reached";
    case obj_checkpoint::look::newest:
        break;
    }
    return "checkpoint_newest";
}

}

obj_checkpoint::obj_checkpoint(level* owner, const TiXmlElement* element)
    : game_object(owner, element, true, "start.mesh", "")
{
    // The body is the start pad's hull, as it always was: the flag is no
    // obstacle. A mesh the level names is both body and picture.
    const std::string hull = mesh;
    if (!element || !element->Attribute("mesh"))
        mesh = flagged_mesh;
    create_body(shape_desc::make_convex(hull));
    show(look::unreached);
}

obj_checkpoint::~obj_checkpoint()
{
    remove();
}

void obj_checkpoint::on_contact_start(game_object* other)
{
    if (other->type_name() != "player")
        return;
    auto* ball = static_cast<obj_player*>(other);
    // Rolling over the checkpoint the ball already comes back to says nothing new.
    if (ball->get_respawn_object() == get_id() && ball->get_respawn_point() == get_position() + Ogre::Vector3(0, 10, 0))
        return;
    game_object* before = owner->find_object(ball->get_respawn_object());
    if (before && before != this && before->type_name() == "checkpoint")
        static_cast<obj_checkpoint*>(before)->show(look::reached);
    ball->set_respawn_point(get_position() + Ogre::Vector3(0, 10, 0), get_id());
    show(look::newest);
    owner->report({level_event::checkpoint, get_id(), get_position()});
}

void obj_checkpoint::on_level_loaded()
{
    pair_with_player(NOTIFY_ON_START_TOUCH);
}

void obj_checkpoint::on_remove()
{
    unpair_from_player();
}

void obj_checkpoint::show(look now)
{
    shown = now;
    Ogre::Entity* entity = get_entity();
    if (!entity)
        return;
    if (mesh != flagged_mesh) {
        entity->setMaterialName(material_of(now));
        return;
    }
    entity->getSubEntity(0)->setMaterialName(material_of(now));
    for (unsigned i = 1; i < entity->getNumSubEntities(); ++i)
        entity->getSubEntity(i)->setVisible(now == look::newest);
}
