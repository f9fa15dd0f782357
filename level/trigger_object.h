#pragma once

// A level object that notices what enters a box around it: after its body
// exists it puts a trigger volume at the body's pose; bodies entering,
// staying in and leaving it reach the trigger_listener operations, and
// object_of() names the level object a body belongs to (null for a body that
// belongs to no registered object, which the objects then ignore). The
// volume goes when the object is removed.

#include "app/physics/trigger_listener.h"
#include "game_object.h"

class physics_trigger;

class trigger_object : public game_object, public trigger_listener {
public:
    using game_object::game_object;

protected:
    void create_trigger(const Ogre::Vector3& size);
    // Call from on_remove.
    void destroy_trigger();
    game_object* object_of(physics_body& body) const;

    physics_trigger* trigger = nullptr;
};
