#pragma once

// Moves the ball's respawn point to 10 above itself when the ball touches it.
// It stays active: touching it again sets the same point again.

#include "level/game_object.h"

class obj_checkpoint : public game_object {
public:
    obj_checkpoint(level* owner, const TiXmlElement* element);
    ~obj_checkpoint() override;

    std::string type_name() const override { return "checkpoint"; }
    void on_contact_start(game_object* other) override;
    void on_level_loaded() override;
    void on_remove() override;
};
