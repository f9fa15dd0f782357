#pragma once

// A level object of type "switch". For now it stands in the course as a
// static body of its mesh; its behaviour comes with the level objects.

#include "level/game_object.h"

class obj_switch : public game_object {
public:
    obj_switch(level* owner, const TiXmlElement* element);
    ~obj_switch() override;

    std::string type_name() const override { return "switch"; }
};
