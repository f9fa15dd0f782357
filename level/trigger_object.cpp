#include "trigger_object.h"

#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "level.h"

void trigger_object::create_trigger(const Ogre::Vector3& size)
{
    if (actor)
        trigger = owner->get_scene()->create_trigger(size, actor->get_pose(), this);
}

void trigger_object::destroy_trigger()
{
    owner->get_scene()->destroy_trigger(trigger);
    trigger = nullptr;
}

game_object* trigger_object::object_of(physics_body& body) const
{
    return owner->find_object(body.get_name());
}
