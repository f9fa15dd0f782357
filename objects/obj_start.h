#pragma once

// Where the ball is first placed (5 above it). Always registered as "start";
// an `id` attribute is ignored.

#include "level/game_object.h"

class obj_start : public game_object {
public:
    obj_start(level* owner, const TiXmlElement* element);
    ~obj_start() override;

    std::string type_name() const override { return "start"; }
};
