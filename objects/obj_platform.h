#pragma once

// A level object of type "platform". For now it stands in the course as a
// static body of its mesh; its behaviour comes with the level objects.

#include "level/game_object.h"

class obj_platform : public game_object {
public:
    obj_platform(level* owner, const TiXmlElement* element);
    ~obj_platform() override;

    std::string type_name() const override { return "platform"; }
};
