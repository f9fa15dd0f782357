#pragma once

// A coloured switch: each start of a touch by the ball flips it and every
// door that answers to its colour. It shows its pressed material while
// pressed.

#include "level/game_object.h"

class obj_switch : public game_object {
public:
    obj_switch(level* owner, const TiXmlElement* element);
    ~obj_switch() override;

    std::string type_name() const override { return "switch"; }
    void on_contact_start(game_object* other) override;
    void on_level_loaded() override;
    void on_remove() override;

    bool is_pressed() const { return pressed; }

private:
    int colour = 3;
    bool pressed = false;
    std::string bars_material;
    std::string pressed_material;
};
