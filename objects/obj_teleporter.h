#pragma once

// A level object of type "teleporter". For now it stands in the course as a
// static body of its mesh; its behaviour comes with the level objects.

#include "level/game_object.h"

class obj_teleporter : public game_object {
public:
    obj_teleporter(level* owner, const TiXmlElement* element);
    ~obj_teleporter() override;

    std::string type_name() const override { return "teleporter"; }
};
