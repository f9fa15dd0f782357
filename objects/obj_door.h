#pragma once

// A coloured door: two static bodies at one pose, the closed door (a tall
// slab) and the open door (a thin beam 10 above the origin). Exactly one is
// visible and collides. Switches of its colour flip it; white is a wildcard
// on both sides.

#include "level/game_object.h"

class obj_door : public game_object {
public:
    obj_door(level* owner, const TiXmlElement* element);
    ~obj_door() override;

    std::string type_name() const override { return "door"; }
    void on_remove() override;

    // Flips the door when the switch's colour answers to it.
    void toggle(int switch_colour);
    bool is_open() const { return open; }
    int get_colour() const { return colour; }
    physics_body* get_open_body() const { return open_body; }

private:
    void apply_state();

    int colour = 3;
    bool open = false;
    physics_body* open_body = nullptr;
    std::string open_body_name;
};
