#include "physics_trigger.h"

#include <btBulletCollisionCommon.h>

#include <algorithm>

physics_trigger::physics_trigger(unsigned long serial, const Ogre::Vector3& size, const pose& at,
                                 trigger_listener* listener)
    : serial(serial),
      shape(std::make_unique<btBoxShape>(
          btVector3(std::max(size.x, 0.01f), std::max(size.y, 0.01f), std::max(size.z, 0.01f)) * 0.5f)),
      object(std::make_unique<btCollisionObject>()), listener(listener)
{
    object->setCollisionShape(shape.get());
    object->setCollisionFlags(object->getCollisionFlags() | btCollisionObject::CF_NO_CONTACT_RESPONSE);
    object->setWorldTransform(btTransform(
        btQuaternion(at.orientation.x, at.orientation.y, at.orientation.z, at.orientation.w),
        btVector3(at.position.x, at.position.y, at.position.z)));
    object->setUserPointer(this);
    object->setUserIndex(user_index);
}

physics_trigger::~physics_trigger() = default;

physics_trigger* physics_trigger::of(const btCollisionObject& object)
{
    return object.getUserIndex() == user_index ? static_cast<physics_trigger*>(object.getUserPointer()) : nullptr;
}
