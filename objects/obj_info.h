#pragma once

// A level object of type "infobox". For now it stands in the course as a
// static body of its mesh; its behaviour comes with the level objects.

#include "level/game_object.h"

class obj_info : public game_object {
public:
    obj_info(level* owner, const TiXmlElement* element);
    ~obj_info() override;

    std::string type_name() const override { return "infobox"; }
};
