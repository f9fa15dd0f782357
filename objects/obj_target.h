#pragma once

// The goal: its touch completes the level. Always registered as "target" and
// always drawn with "finish.mesh" (a pad with a flag), whatever the element
// says; its body is the pad alone ("finish_pad.mesh").

#include "level/game_object.h"

class obj_target : public game_object {
public:
    obj_target(level* owner, const TiXmlElement* element);
    ~obj_target() override;

    std::string type_name() const override { return "target"; }
    void on_contact_start(game_object* other) override;
    void on_level_loaded() override;
    void on_remove() override;
};
