#pragma once

// The huge slab far below every course. Touching it puts the ball back at its
// respawn point. Built by the level for every level, id "ground".

#include "level/game_object.h"

class obj_ground : public game_object {
public:
    explicit obj_ground(level* owner);
    ~obj_ground() override;

    std::string type_name() const override { return "ground"; }
    void on_contact_start(game_object* other) override;
    void on_level_loaded() override;
    void on_remove() override;
};
