#pragma once

// A level object of type "score". For now it stands in the course as a
// static body of its mesh; its behaviour comes with the level objects.

#include "level/game_object.h"

class obj_score : public game_object {
public:
    obj_score(level* owner, const TiXmlElement* element);
    ~obj_score() override;

    std::string type_name() const override { return "score"; }
};
