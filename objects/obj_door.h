#pragma once

// A level object of type "door". For now it stands in the course as a
// static body of its mesh; its behaviour comes with the level objects.

#include "level/game_object.h"

class obj_door : public game_object {
public:
    obj_door(level* owner, const TiXmlElement* element);
    ~obj_door() override;

    std::string type_name() const override { return "door"; }
};
