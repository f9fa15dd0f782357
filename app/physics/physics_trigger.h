#pragma once

// A box volume (full edge lengths) at a fixed pose that tells its listener
// which dynamic, colliding bodies enter it, stay inside and leave. Owned by
// its scene; gone after physics_scene::destroy_trigger.

#include "physics_types.h"

#include <memory>

class btCollisionObject;
class btCollisionShape;
class trigger_listener;
class physics_scene;

class physics_trigger {
public:
    ~physics_trigger();
    physics_trigger(const physics_trigger&) = delete;
    physics_trigger& operator=(const physics_trigger&) = delete;

    trigger_listener* get_listener() const { return listener; }

private:
    friend class physics_scene;
    friend class touch_reports;

    // Marks a trigger's Bullet object in its user index; the user pointer points to the trigger.
    static constexpr int user_index = 2;
    // The trigger whose Bullet object that is, or null (a body's).
    static physics_trigger* of(const btCollisionObject& object);

    physics_trigger(unsigned long serial, const Ogre::Vector3& size, const pose& at, trigger_listener* listener);

    const unsigned long serial;
    std::unique_ptr<btCollisionShape> shape;
    std::unique_ptr<btCollisionObject> object;
    trigger_listener* const listener;
};
