#pragma once

// A pad with a volume above it: whatever stays inside is moved to a fixed
// position (`target_pos`, put 5 higher) or onto another object
// (`target_id`), losing all its speed. A teleporter that receives an arrival
// is disarmed until something leaves its volume, so the ball is not sent
// straight back.

#include "level/trigger_object.h"

class obj_teleporter : public trigger_object {
public:
    obj_teleporter(level* owner, const TiXmlElement* element);
    ~obj_teleporter() override;

    std::string type_name() const override { return "teleporter"; }
    void on_remove() override;
    void on_inside(physics_trigger& trigger, physics_body& body) override;
    void on_leave(physics_trigger& trigger, physics_body& body) override;

    void disarm() { disarmed = true; }
    bool is_disarmed() const { return disarmed; }

private:
    Ogre::Vector3 target_position = Ogre::Vector3::ZERO;
    bool disarmed = false;
    std::string target_id;
};
